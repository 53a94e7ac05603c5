// Drives `scenario_builder lsp` as an editor does: the real program through pipes, spoken to
// with the protocol client library that VS Code's own client is built on. The program is
// SB_PROGRAM (set by CTest), the scenario files are written to a fresh folder.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, writeFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import {
  createProtocolConnection,
  StreamMessageReader,
  StreamMessageWriter,
  InitializeRequest,
  InitializedNotification,
  DidOpenTextDocumentNotification,
  DidChangeTextDocumentNotification,
  PublishDiagnosticsNotification,
  HoverRequest,
  SignatureHelpRequest,
  CompletionRequest,
  DocumentSymbolRequest,
  CodeActionRequest,
  ShutdownRequest,
  ExitNotification,
} from 'vscode-languageserver-protocol/node.js';

const program = process.env.SB_PROGRAM;
if (!program) throw new Error('SB_PROGRAM names the scenario_builder to test');

const LINE = '[generale]\nlunghezza percorso, 20000\n[curve]\n[fine]\n';
const TRAIN = '[generale]\nvelocita, 0, 60\naderenza, 0, 100\n[fine]\n';
// A misspelt keyword (line 4) and two signals in one cell (fault 16, line 6).
const FAULTY_TRAIN =
  '[generale]\nvelocita, 0, 60\naderenza, 0, 100\n' +
  'aderenzza, 0, 100\n' +
  'segnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0\n' +
  'segnale, 5010, 0, 1,0,0, 0, 0, 1,0,0, 0\n[fine]\n';

function start() {
  const child = spawn(program, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = createProtocolConnection(
    new StreamMessageReader(child.stdout),
    new StreamMessageWriter(child.stdin),
  );
  const exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  // A server that stops answering (or whose replies cannot be read) is ended after a while,
  // so that the test fails instead of waiting for ever.
  const watchdog = setTimeout(() => child.kill(), 30000);
  watchdog.unref();
  child.on('exit', () => clearTimeout(watchdog));
  // Every publication, and a way to wait for the next one of a document that satisfies a test.
  const published = [];
  const waiters = [];
  connection.onNotification(PublishDiagnosticsNotification.type, (params) => {
    published.push(params);
    for (const w of [...waiters]) {
      if (w.uri === params.uri && w.accept(params)) {
        waiters.splice(waiters.indexOf(w), 1);
        w.resolve(params);
      }
    }
  });
  const next = (uri, accept = () => true) =>
    new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error('no diagnostics for ' + uri)), 10000);
      waiters.push({ uri, accept, resolve: (p) => { clearTimeout(timer); resolve(p); } });
    });
  connection.listen();
  return { child, connection, exited, published, next };
}

test('an editor session: diagnostics, re-checks, hover, help, completion, outline, fix', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'sb-lsp-'));
  let server; // ended when an assertion fails midway: a server left running keeps node waiting
  try {
    const linePath = join(dir, 'Monte_linea.txt');
    const trainPath = join(dir, 'Monte_L1-.txt');
    writeFileSync(linePath, LINE);
    writeFileSync(trainPath, TRAIN); // the disk copy is clean; the editor's buffer is not
    const lineUri = pathToFileURL(linePath).href;
    const trainUri = pathToFileURL(trainPath).href;
    const { child, connection, exited, next } = start();
    server = child;

    const init = await connection.sendRequest(InitializeRequest.type, {
      processId: process.pid, rootUri: pathToFileURL(dir).href, capabilities: {},
    });
    assert.equal(init.capabilities.textDocumentSync.change, 2);
    assert.ok(init.capabilities.hoverProvider);
    await connection.sendNotification(InitializedNotification.type, {});

    const lineChecked = next(lineUri);
    const trainChecked = next(trainUri, (p) => p.version === 1);
    await connection.sendNotification(DidOpenTextDocumentNotification.type, {
      textDocument: { uri: lineUri, languageId: 'scenario-line', version: 1, text: LINE },
    });
    await connection.sendNotification(DidOpenTextDocumentNotification.type, {
      textDocument: { uri: trainUri, languageId: 'scenario-train', version: 1, text: FAULTY_TRAIN },
    });
    assert.deepEqual((await lineChecked).diagnostics, []);
    const faulty = (await trainChecked).diagnostics;
    const cell = faulty.find((d) => d.code === 16);
    assert.ok(cell, JSON.stringify(faulty));
    assert.deepEqual(cell.range, { start: { line: 5, character: 0 }, end: { line: 5, character: 7 } });
    assert.equal(cell.severity, 1);
    assert.match(cell.codeDescription.href, /#16-the-signals-cell-already-holds-an-object$/);
    // The link leads to a manual that exists where this program runs from.
    assert.ok(existsSync(fileURLToPath(cell.codeDescription.href.replace(/#.*$/, ''))),
      cell.codeDescription.href);
    assert.match(cell.relatedInformation[0].message, /a signal at 5000 m/);
    const misspelt = faulty.find((d) => d.code === 'unknown-keyword');
    assert.ok(misspelt, JSON.stringify(faulty));
    assert.deepEqual(misspelt.range.start, { line: 3, character: 0 });
    assert.match(misspelt.message, /did you mean "aderenza"/);

    // Hover: the explanation on the fault's range, a position's cell on a value.
    const onFault = await connection.sendRequest(HoverRequest.type, {
      textDocument: { uri: trainUri }, position: { line: 5, character: 3 },
    });
    assert.match(onFault.contents.value, /\*\*error 16\*\*/);
    assert.match(onFault.contents.value, /\| 11 \| time \|/);
    const onPosition = await connection.sendRequest(HoverRequest.type, {
      textDocument: { uri: trainUri }, position: { line: 4, character: 10 },
    });
    assert.match(onPosition.contents.value, /cell 101, 5000 to 5050 m/);

    // Signature help on the value after the position.
    const help = await connection.sendRequest(SignatureHelpRequest.type, {
      textDocument: { uri: trainUri }, position: { line: 4, character: 15 },
    });
    assert.equal(help.activeParameter, 1);
    assert.equal(help.signatures[0].parameters.length, 11);

    // Completion at the start of a line: the train file's keywords as snippets.
    const completion = await connection.sendRequest(CompletionRequest.type, {
      textDocument: { uri: trainUri }, position: { line: 1, character: 0 },
    });
    const station = completion.items.find((i) => i.label === 'stazione');
    assert.ok(station);
    assert.equal(station.insertTextFormat, 2);
    assert.match(station.insertText, /^stazione, \$\{1:position P\}, \$\{2:kind K\}/);
    assert.ok(!completion.items.some((i) => i.label === 'lunghezza percorso'));

    // The outline: the two signals with their positions.
    const symbols = await connection.sendRequest(DocumentSymbolRequest.type, {
      textDocument: { uri: trainUri },
    });
    assert.deepEqual(symbols.map((s) => s.name), ['signal at 5000 m', 'signal at 5010 m']);

    // The quick fix for the misspelt keyword.
    const actions = await connection.sendRequest(CodeActionRequest.type, {
      textDocument: { uri: trainUri }, range: misspelt.range, context: { diagnostics: [misspelt] },
    });
    assert.equal(actions[0].title, 'Change to "aderenza"');
    assert.equal(actions[0].edit.changes[trainUri][0].newText, 'aderenza');

    // Fixes typed in the buffer (incremental changes) clear the diagnostics.
    const fixed = next(trainUri, (p) => p.version === 3);
    await connection.sendNotification(DidChangeTextDocumentNotification.type, {
      textDocument: { uri: trainUri, version: 2 },
      contentChanges: [{ range: actions[0].edit.changes[trainUri][0].range, text: 'aderenza' }],
    });
    await connection.sendNotification(DidChangeTextDocumentNotification.type, {
      textDocument: { uri: trainUri, version: 3 },
      contentChanges: [{
        range: { start: { line: 5, character: 9 }, end: { line: 5, character: 13 } }, text: '6000',
      }],
    });
    assert.deepEqual((await fixed).diagnostics, []);

    // A change of the line file re-checks the train file: its signals now lie in the run-out
    // after a shorter route.
    const rechecked = next(trainUri, (p) => p.diagnostics.length > 0);
    await connection.sendNotification(DidChangeTextDocumentNotification.type, {
      textDocument: { uri: lineUri, version: 2 },
      contentChanges: [{ text: LINE.replace('20000', '3000') }],
    });
    const beyond = (await rechecked).diagnostics;
    assert.deepEqual(beyond.map((d) => [d.code, d.range.start.line]), [['in-run-out', 4], ['in-run-out', 5]]);

    await connection.sendRequest(ShutdownRequest.type);
    await connection.sendNotification(ExitNotification.type);
    assert.equal(await exited, 0);
    connection.dispose();
  } finally {
    if (server && server.exitCode === null) server.kill();
    rmSync(dir, { recursive: true, force: true });
  }
});

// Raw bytes on the pipe: what no client library would send.
function raw(input) {
  return new Promise((resolve) => {
    const child = spawn(program, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
    let out = '';
    child.stdout.on('data', (d) => { out += d; });
    // 'close', not 'exit': the output may still be on its way when the process has ended.
    child.on('close', (code) => resolve({ code, out }));
    child.stdin.end(input);
  });
}

const frame = (body) => `Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`;
const INIT = frame('{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}');

test('malformed messages get an error or a clean exit', async () => {
  const cases = [
    { name: 'truncated header', input: INIT + 'Content-Len', code: 1, error: -32700 },
    { name: 'bad length', input: INIT + 'Content-Length: 12x\r\n\r\n{}', code: 1, error: -32700 },
    { name: 'length past the end', input: INIT + 'Content-Length: 50\r\n\r\n{}', code: 1, error: -32700 },
    { name: 'invalid JSON', input: INIT + frame('{"jsonrpc":"2.0","id":2,') + frame('{"jsonrpc":"2.0","method":"exit"}'), code: 1, error: -32700 },
    { name: '100 MB content length', input: INIT + 'Content-Length: 104857600\r\n\r\n{}', code: 1, error: -32600 },
    { name: 'unknown method', input: INIT + frame('{"jsonrpc":"2.0","id":2,"method":"x/y"}') + frame('{"jsonrpc":"2.0","method":"exit"}'), code: 1, error: -32601 },
  ];
  for (const c of cases) {
    const { code, out } = await raw(c.input);
    assert.equal(code, c.code, c.name);
    const bodies = out.split(/Content-Length: \d+\r\n\r\n/).filter((b) => b.length > 0).map((b) => JSON.parse(b));
    assert.equal(bodies.length, 2, `${c.name}: ${out}`);
    assert.equal(bodies[0].id, 1, c.name);
    assert.equal(bodies[1].error.code, c.error, `${c.name}: ${out}`);
  }
});
