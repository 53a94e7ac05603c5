// Draws docs/editor.png, the README's picture of the language server at work: the real
// program is started as `scenario_builder lsp` and spoken to through pipes, as an editor
// does, on a train file with mistakes; its diagnostics and one hover are laid out as an
// editor shows them (squiggles under the diagnostics' ranges, the hover box, the problems
// list) in an HTML page, and headless Chromium takes the picture.
//
//   node editors/lsp-test/screenshot.mjs PROGRAM [OUT.png]     (after `npm ci` here)
//
// OUT.png defaults to docs/editor.png; Chromium is the Debian package chromium.
import { spawn, execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import {
  createProtocolConnection,
  StreamMessageReader,
  StreamMessageWriter,
  InitializeRequest,
  InitializedNotification,
  DidOpenTextDocumentNotification,
  PublishDiagnosticsNotification,
  HoverRequest,
  ShutdownRequest,
  ExitNotification,
} from 'vscode-languageserver-protocol/node.js';

const here = dirname(fileURLToPath(import.meta.url));
const [program, out = join(here, '..', '..', 'docs', 'editor.png')] = process.argv.slice(2);
if (!program) {
  console.error('usage: node screenshot.mjs PROGRAM [OUT.png]');
  process.exit(2);
}

const LINE = '[generale]\nlunghezza percorso, 20000\n[curve]\n[fine]\n';
// A misspelt keyword, two signals in one cell and a slow order too short.
const TRAIN = [
  '[generale]',
  'velocita, 0, 60',
  'aderenza, 0, 100',
  'aderenzza, 2000, 90',
  'stazione, 1000, 0, 200, 0,0,0, 0,0,0, 0,0,0, 0, 12,10,0, MONTE',
  'segnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0',
  'segnale, 5010, 0, 1,0,0, 0, 0, 1,0,0, 0',
  'rallentamento, 8000, 30, 20, 0, 0, 0',
  'segnale, 14650, 0, 1,0,0, 0, 0, 1,0,0, 0',
  '[fine]',
  '',
].join('\n');
const HOVER_AT = { line: 8, character: 11 }; // the last signal's position

async function session(dir) {
  const linePath = join(dir, 'Monte_linea.txt');
  const trainPath = join(dir, 'Monte_L1-.txt');
  writeFileSync(linePath, LINE);
  writeFileSync(trainPath, TRAIN);
  const trainUri = pathToFileURL(trainPath).href;
  const child = spawn(resolve(program), ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = createProtocolConnection(
    new StreamMessageReader(child.stdout),
    new StreamMessageWriter(child.stdin),
  );
  const published = new Promise((resolveDiagnostics) => {
    connection.onNotification(PublishDiagnosticsNotification.type, (p) => {
      if (p.uri === trainUri) resolveDiagnostics(p.diagnostics);
    });
  });
  connection.listen();
  try {
    await connection.sendRequest(InitializeRequest.type, {
      processId: process.pid, rootUri: pathToFileURL(dir).href, capabilities: {},
    });
    await connection.sendNotification(InitializedNotification.type, {});
    for (const [path, text, languageId] of [
      [linePath, LINE, 'scenario-line'], [trainPath, TRAIN, 'scenario-train'],
    ]) {
      await connection.sendNotification(DidOpenTextDocumentNotification.type, {
        textDocument: { uri: pathToFileURL(path).href, languageId, version: 1, text },
      });
    }
    const diagnostics = await published;
    const hover = await connection.sendRequest(HoverRequest.type, {
      textDocument: { uri: trainUri }, position: HOVER_AT,
    });
    await connection.sendRequest(ShutdownRequest.type);
    await connection.sendNotification(ExitNotification.type);
    return { diagnostics, hover: hover.contents.value };
  } finally {
    connection.dispose();
    if (child.exitCode === null) child.kill();
  }
}

const escape = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// The little Markdown the hover uses: paragraphs, **bold**, `code`.
function markdown(text) {
  return text.split('\n\n').map((p) => '<p>' + escape(p)
    .replace(/\*\*([^*]+)\*\*/g, '<b>$1</b>')
    .replace(/`([^`]+)`/g, '<code>$1</code>')
    .replace(/\n/g, '<br>') + '</p>').join('');
}

// A line of the file with its diagnostics' ranges underlined (one line each, as here).
function codeLine(text, n, diagnostics) {
  const marks = diagnostics.filter((d) => d.range.start.line === n)
    .map((d) => ({ from: d.range.start.character, to: Math.max(d.range.end.character, d.range.start.character + 1), kind: d.severity === 1 ? 'error' : 'warning' }))
    .sort((a, b) => a.from - b.from);
  let html = '';
  let at = 0;
  for (const m of marks) {
    if (m.from < at) continue;
    html += escape(text.slice(at, m.from)) + `<span class="${m.kind}">` +
      escape(text.slice(m.from, m.to)) + '</span>';
    at = m.to;
  }
  return html + escape(text.slice(at));
}

function page({ diagnostics, hover }) {
  const lines = TRAIN.split('\n').slice(0, -1);
  const rows = lines.map((text, n) =>
    `<div class="row"><span class="no">${n + 1}</span><span class="code">${codeLine(text, n, diagnostics)}</span></div>` +
    (n === HOVER_AT.line ? `<div class="hover" style="left:${HOVER_AT.character + 5}ch">${markdown(hover)}</div>` : ''),
  ).join('\n');
  const problems = diagnostics.map((d) =>
    `<div class="problem"><span class="icon ${d.severity === 1 ? 'error' : 'warning'}">${d.severity === 1 ? '&#x2716;' : '&#x26A0;'}</span>` +
    `${escape(d.message)} <span class="where">scenario_builder(${escape(String(d.code))}) [Ln ${d.range.start.line + 1}, Col ${d.range.start.character + 1}]</span></div>`,
  ).join('\n');
  return `<!doctype html><html><head><meta charset="utf-8"><style>
body { margin: 0; background: #1e1e1e; color: #d4d4d4; font: 14px/1.5 "DejaVu Sans Mono", monospace; width: 1100px; }
.tab { background: #252526; color: #ffffff; padding: 6px 14px; font-family: "DejaVu Sans", sans-serif; font-size: 13px; border-bottom: 1px solid #333; }
.editor { padding: 8px 0 130px; position: relative; }
.row { white-space: pre; }
.no { display: inline-block; width: 4ch; margin-right: 1ch; text-align: right; color: #858585; }
.error { text-decoration: underline wavy #f14c4c; text-underline-offset: 3px; }
.warning { text-decoration: underline wavy #cca700; text-underline-offset: 3px; }
.hover { position: absolute; width: 620px; background: #252526; border: 1px solid #454545; padding: 4px 12px; margin-top: 2px; font-family: "DejaVu Sans", sans-serif; font-size: 13px; box-shadow: 0 2px 8px #000; }
.hover p { margin: 6px 0; }
.hover code { font-family: "DejaVu Sans Mono", monospace; }
.panel { border-top: 1px solid #414141; padding: 6px 14px 10px; font-family: "DejaVu Sans", sans-serif; font-size: 13px; }
.panel h2 { font-size: 11px; letter-spacing: 1px; color: #e7e7e7; margin: 4px 0 8px; font-weight: normal; }
.problem { margin: 3px 0; }
.icon { display: inline-block; width: 2ch; }
.icon.error { color: #f14c4c; text-decoration: none; }
.icon.warning { color: #cca700; text-decoration: none; }
.where { color: #8b8b8b; }
</style></head><body>
<div class="tab">Monte_L1-.txt</div>
<div class="editor">${rows}</div>
<div class="panel"><h2>PROBLEMS ${diagnostics.length}</h2>${problems}</div>
</body></html>`;
}

const dir = mkdtempSync(join(tmpdir(), 'sb-screenshot-'));
try {
  const result = await session(dir);
  const html = join(dir, 'editor.html');
  writeFileSync(html, page(result));
  execFileSync('chromium', [
    '--headless', '--no-sandbox', '--disable-gpu', '--hide-scrollbars',
    `--screenshot=${resolve(out)}`, '--window-size=1100,600', pathToFileURL(html).href,
  ], { stdio: ['ignore', 'ignore', 'ignore'] });
  console.log(`${out} drawn: ${result.diagnostics.length} diagnostics and a hover from ${program}`);
} finally {
  rmSync(dir, { recursive: true, force: true });
}
