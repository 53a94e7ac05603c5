// Takes docs/vscode.png: the extension at work in VS Code itself (code-server, the browser
// build of VS Code, driven by headless Chromium). A manual step, not run by the tests: it
// needs code-server and playwright-core, which the project does not install.
//
// How the picture in the README was made (code-server 4.100.3, playwright-core 1.64.1):
//   1. npm install code-server@4.100.3 in a scratch folder, build its native modules, and
//      install the extension: code-server --install-extension build/scenario-builder-*.vsix
//   2. Set "scenarioBuilder.server.path" to the program in the user settings (VS Code takes
//      PATH from the login shell, not from the process that started it).
//   3. Serve a folder holding Monte_linea.txt and Monte_L1-.txt (the texts of
//      editors/lsp-test/screenshot.mjs, with CRLF line ends):
//      code-server --auth none --bind-addr 127.0.0.1:8765 FOLDER
//   4. node code_server_screenshot.mjs 'http://127.0.0.1:8765/?folder=FOLDER' docs/vscode.png
//
// The page opens the train file, shows the problems panel and hovers on the position of the
// last signal (line 9).
import { chromium } from 'playwright-core';
const [url, out] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
const page = await browser.newPage({ viewport: { width: 1280, height: 720 } });
await page.goto(url, { waitUntil: 'domcontentloaded' });
await page.waitForSelector('.monaco-workbench', { timeout: 60000 });
await page.waitForTimeout(4000);
await page.keyboard.press('Control+P');
await page.waitForTimeout(800);
await page.keyboard.type('Monte_L1-.txt');
await page.waitForTimeout(800);
await page.keyboard.press('Enter');
await page.waitForTimeout(6000);
await page.keyboard.press('Control+Shift+M');
await page.waitForTimeout(2000);
// Back to the editor, then hover over "14650" on line 9.
const line = page.locator('.view-line', { hasText: 'segnale, 14650' });
const box = await line.boundingBox();
const first = await line.locator('span span').first().boundingBox();
const word = await line.locator('span span').first().textContent();
const cw = first.width / word.length; // the first token, "segnale"
const x = first.x + cw * 11.5; // the middle of "14650", columns 9 to 13
await page.mouse.move(x, box.y + box.height / 2);
await page.waitForTimeout(3000);
await page.screenshot({ path: out });
const hover = await page.locator('.monaco-hover-content').first().textContent().catch(() => '');
console.log('hover:', hover.slice(0, 300));
await browser.close();
