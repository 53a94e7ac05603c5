// The editor side of scenario_builder: starts `scenario_builder lsp` over standard input and
// output for line files and train files, and leaves everything else to it. The program tells a
// line file from a train file by the file's name, so both languages go to the same server.
import * as vscode from 'vscode';
import {LanguageClient, LanguageClientOptions, ServerOptions} from 'vscode-languageclient/node';

const kSection = 'scenarioBuilder';
const kPathSetting = `${kSection}.server.path`;

let client: LanguageClient|undefined;

// The program to start: the setting, or the one on PATH.
function serverCommand(): string {
  const configured = vscode.workspace.getConfiguration(kSection).get<string>('server.path', '');
  return configured.trim() || 'scenario_builder';
}

async function start(): Promise<void> {
  const command = serverCommand();
  // No transport is named: the client then talks over the child's standard input and output
  // without adding an argument of its own to the command line.
  const serverOptions: ServerOptions = {command, args: ['lsp']};
  const clientOptions: LanguageClientOptions = {
    documentSelector: [
      {scheme: 'file', language: 'scenario-line'},
      {scheme: 'file', language: 'scenario-train'},
    ],
  };
  client = new LanguageClient(kSection, 'scenario_builder', serverOptions, clientOptions);
  try {
    await client.start();
  } catch (error) {
    client = undefined;
    const reason = error instanceof Error ? error.message : String(error);
    const choice = await vscode.window.showErrorMessage(
        `scenario_builder could not be started as "${command} lsp" (${reason}). ` +
            `Set ${kPathSetting} to the program, or put it on PATH.`,
        'Open Settings');
    if (choice === 'Open Settings') {
      await vscode.commands.executeCommand('workbench.action.openSettings', kPathSetting);
    }
  }
}

async function stop(): Promise<void> {
  const running = client;
  client = undefined;
  if (running) await running.stop();
}

async function restart(): Promise<void> {
  await stop();
  await start();
}

export async function activate(context: vscode.ExtensionContext): Promise<void> {
  context.subscriptions.push(
      vscode.commands.registerCommand(`${kSection}.restartServer`, restart),
      vscode.workspace.onDidChangeConfiguration((event) => {
        if (event.affectsConfiguration(kPathSetting)) void restart();
      }),
  );
  await start();
}

export function deactivate(): Promise<void> { return stop(); }
