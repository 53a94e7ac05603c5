#!/usr/bin/env node
// The highlighting's tests, run with vscode-tmgrammar-test on the grammars that the extension's
// package.json names (after a check that the extension carries the program's version):
// - the built-in files, with what each kind of field must be highlighted as: test/*.test.txt
//   hold them line for line with their assertions, and this script first checks that those
//   lines are still the ones `scenario_builder sources` writes;
// - every keyword of the reader's table (src/reader/keywords.h), written as the table spells
//   it, in capitals, capitalised and with its words the other way round, in the general section
//   and the body of a line file and in a train file: highlighted as a keyword exactly where the
//   table says the reader takes it.
//
//   node grammar_test.js PROGRAM NODE_MODULES WORK_FOLDER
//
// Exits with 77 (skipped) when node_modules lacks vscode-tmgrammar-test (`npm ci` installs it).
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');

const kSkipped = 77;
const extensionDir = path.resolve(__dirname, '..');
const sourceDir = path.resolve(extensionDir, '..', '..');

function fail(message) {
  console.error(`grammar test: ${message}`);
  process.exit(1);
}

// The rows of the reader's keyword table, in the table's order.
function readKeywordTable(header) {
  const text = fs.readFileSync(header, 'utf8');
  // kName{Pass::kX, "first", "second", case_sensitive, values, "spelling"[, "called"]}
  const quoted = String.raw`"([^"]*)"`;
  const rowPattern = new RegExp(
      [
        String.raw`inline\s+constexpr\s+Keyword\s+(k\w+)\s*\{\s*Pass::(k\w+)`, quoted, quoted,
        '(true|false)', String.raw`(\d+)`, quoted + String.raw`(?:\s*,\s*"[^"]*")?\s*\}`
      ].join(String.raw`\s*,\s*`),
      'g');
  const rows = new Map();
  for (const m of text.matchAll(rowPattern)) {
    rows.set(
        m[1],
        {pass: m[2], first: m[3], second: m[4], caseSensitive: m[5] === 'true', spelling: m[7]});
  }
  const list = /kKeywords\[\]\s*=\s*\{([^}]*)\}/.exec(text);
  if (!list) fail(`no kKeywords[] list found in ${header}`);
  const names = [...list[1].matchAll(/kw::(k\w+)/g)].map((m) => m[1]);
  if (names.length === 0) fail(`kKeywords[] in ${header} names no row`);
  return names.map((name) => {
    const row = rows.get(name);
    if (!row) fail(`the row ${name} of kKeywords[] could not be read from ${header}`);
    return row;
  });
}

// Whether the reader takes `field` for the row, as its keyword matching does.
function rowMatches(row, field) {
  const has = (word) => word === '' ||
      (row.caseSensitive ? field.includes(word) : field.toLowerCase().includes(word.toLowerCase()));
  return has(row.first) && has(row.second);
}

// The ways an author may write a row's keyword.
function writings(row) {
  const s = row.spelling;
  const words = s.split(' ');
  const all = [s, s.toUpperCase(), s[0].toUpperCase() + s.slice(1)];
  if (words.length > 1) all.push(words.reverse().join(' '));
  return [...new Set(all)];
}

const kScopes = {
  kGeneral: 'keyword.other.general.scenario',
  kBody: 'keyword.other.body.scenario',
  kTrain: 'keyword.other.train.scenario',
};

// An entry line with the assertion under it: the whole field is the keyword scope of `pass`
// when a row of that pass takes it, and no keyword scope at all otherwise.
function assertedEntry(rows, pass, field) {
  const taken = rows.some((row) => row.pass === pass && rowMatches(row, field));
  const arrow = `#<${'-'.repeat(field.length)}`;
  const assertion =
      taken ? `${arrow} ${kScopes[pass]}` : `${arrow} - ${Object.values(kScopes).join(' ')}`;
  return [`${field}, 1`, assertion];
}

function writeKeywordCases(rows, folder) {
  const fields = rows.flatMap(writings);
  const entries = (pass) => fields.flatMap((field) => assertedEntry(rows, pass, field));
  const line = [
    '# SYNTAX TEST "source.scenario.line" "the reader\'s keywords in a line file"',
    '[generale]',
    ...entries('kGeneral'),
    '[tracciato]',
    ...entries('kBody'),
    '[fine]',
  ];
  const train = [
    '# SYNTAX TEST "source.scenario.train" "the reader\'s keywords in a train file"',
    '[generale]',
    ...entries('kTrain'),
    '[fine]',
  ];
  const files =
      [path.join(folder, 'keywords_line.test.txt'), path.join(folder, 'keywords_train.test.txt')];
  fs.writeFileSync(files[0], line.join('\n') + '\n');
  fs.writeFileSync(files[1], train.join('\n') + '\n');
  return files;
}

// The lines of a test case that are the file under test: neither its header nor assertions.
function sourceLines(testCase) {
  const lines = fs.readFileSync(testCase, 'latin1').split(/\r?\n/);
  return lines.slice(1).filter((line) => !/^#\s*(\^|<[~]*-)/.test(line));
}

// Checks that each test case made from a built-in file still holds that file, line for line.
function checkBuiltinCases(program, folder) {
  const written = path.join(folder, 'sources');
  fs.rmSync(written, {recursive: true, force: true});
  const run = childProcess.spawnSync(program, ['sources', '--dir', written], {encoding: 'latin1'});
  if (run.status !== 0) fail(`"${program} sources" ended with ${run.status}: ${run.stderr}`);
  const cases = [
    ['builtin_line.test.txt', (name) => name.endsWith('_linea.txt')],
    ['builtin_train.test.txt', (name) => name.endsWith('-.txt')],
  ];
  return cases.map(([caseName, isFile]) => {
    const found = fs.readdirSync(written).filter(isFile);
    if (found.length !== 1)
      fail(`the built-in files hold no single file for ${caseName}: ${found}`);
    const file = fs.readFileSync(path.join(written, found[0]), 'latin1').split(/\r?\n/);
    if (file[file.length - 1] === '') file.pop();
    const testCase = path.join(__dirname, caseName);
    const lines = sourceLines(testCase);
    if (lines[lines.length - 1] === '') lines.pop();
    for (let i = 0; i < Math.max(file.length, lines.length); ++i) {
      if (file[i] !== lines[i]) {
        fail(
            `${caseName} no longer holds the built-in "${found[0]}": its line ${i + 1} is ` +
            `${JSON.stringify(lines[i])}, the program writes ${JSON.stringify(file[i])}`);
      }
    }
    return testCase;
  });
}

// The extension carries the program's version, as the packages beside it do.
function checkVersion(program) {
  const run = childProcess.spawnSync(program, ['--version'], {encoding: 'utf8'});
  const version = /^scenario_builder (\S+)/.exec(run.stdout || '');
  if (!version) fail(`"${program} --version" printed no version: ${run.stdout}${run.stderr}`);
  const own = require(path.join(extensionDir, 'package.json')).version;
  if (own !== version[1]) {
    fail(
        `the extension's version ${own} (editors/vscode/package.json) is not the program's ` +
        `${version[1]}`);
  }
}

function main() {
  const [program, modules, folder] = process.argv.slice(2);
  if (!folder) fail('usage: node grammar_test.js PROGRAM NODE_MODULES WORK_FOLDER');
  const runner = path.join(modules, 'vscode-tmgrammar-test', 'dist', 'unit.js');
  if (!fs.existsSync(runner)) {
    console.log(`vscode-tmgrammar-test is not installed in ${modules} (npm ci installs it)`);
    process.exit(kSkipped);
  }
  fs.mkdirSync(folder, {recursive: true});
  checkVersion(program);
  const rows = readKeywordTable(path.join(sourceDir, 'src', 'reader', 'keywords.h'));
  const cases = [
    ...checkBuiltinCases(program, folder),
    ...fs.readdirSync(__dirname)
        .filter((n) => n.startsWith('cases_'))
        .map((n) => path.join(__dirname, n)),
    ...writeKeywordCases(rows, folder),
  ];
  const run = childProcess.spawnSync(
      process.execPath, [runner, '--config', path.join(extensionDir, 'package.json'), ...cases],
      {stdio: 'inherit'});
  process.exit(run.status === 0 ? 0 : 1);
}

main();
