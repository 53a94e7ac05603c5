#!/usr/bin/env bash
# Seeds for fuzz_lsp_messages: byte streams of framed messages as an editor writes them, one
# session per file: initialize, a document opened and changed, the requests on it, shutdown
# and exit; and a few streams that are cut or malformed.
#   fuzz/make_lsp_seeds.sh SEED_FOLDER
set -euo pipefail
out=$1
mkdir -p "$out"

frame() {
  printf 'Content-Length: %d\r\n\r\n%s' "$(printf '%s' "$1" | wc -c)" "$1"
}

uri='file:///tmp/Monte_L1-.txt'
init='{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}'
open='{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'$uri'","languageId":"scenario-train","version":1,"text":"[generale]\nvelocita, 0, 60\nsegnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0\nstazione, 800, 28, 300, 0, 0, 0, 0,0,0, 0,0,0, 60, 12,11,1, VIA\n"}}}'
change='{"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"'$uri'","version":2},"contentChanges":[{"range":{"start":{"line":1,"character":13},"end":{"line":1,"character":15}},"text":"\u00e0\ud83d\ude00"}]}}'
position='"textDocument":{"uri":"'$uri'"},"position":{"line":2,"character":10}'
hover='{"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{'$position'}}'
help='{"jsonrpc":"2.0","id":3,"method":"textDocument/signatureHelp","params":{'$position'}}'
complete='{"jsonrpc":"2.0","id":4,"method":"textDocument/completion","params":{'$position'}}'
symbols='{"jsonrpc":"2.0","id":5,"method":"textDocument/documentSymbol","params":{"textDocument":{"uri":"'$uri'"}}}'
action='{"jsonrpc":"2.0","id":6,"method":"textDocument/codeAction","params":{"textDocument":{"uri":"'$uri'"},"range":{"start":{"line":1,"character":0},"end":{"line":1,"character":8}},"context":{"diagnostics":[{"range":{"start":{"line":1,"character":0},"end":{"line":1,"character":8}},"code":"unknown-keyword","message":"unknown keyword \"velocitt\" skipped; did you mean \"velocita\"?"},{"range":{"start":{"line":0,"character":0},"end":{"line":0,"character":0}},"code":102,"relatedInformation":[{"message":"line 1 holds \"[generle]\"; did you mean \"[generale]\"?"}]}]}}}'
shutdown='{"jsonrpc":"2.0","id":7,"method":"shutdown"}'
exit_='{"jsonrpc":"2.0","method":"exit"}'

{
  for m in "$init" "$open" "$change" "$hover" "$help" "$complete" "$symbols" "$action" \
    "$shutdown" "$exit_"; do
    frame "$m"
  done
} >"$out/session"
{ frame "$init"; printf 'Content-Length: 104857600\r\n\r\n{}'; } >"$out/oversized"
{ frame "$init"; printf 'Content-Length: 12x\r\n\r\n{}'; } >"$out/bad-length"
{ frame "$init"; frame '{"jsonrpc":"2.0","id":2,'; frame "$exit_"; } >"$out/invalid-json"
{ frame "$init"; printf 'Content-Len'; } >"$out/cut-header"
