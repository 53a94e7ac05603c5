# Runs the node test of the language server (editors/lsp-test) against PROGRAM: an editor's
# session through pipes with the protocol client library pinned by its package-lock.json.
# Prints "SKIPPED: reason" and succeeds when node or the installed packages are missing.
#   cmake -DNODE=... -DDIR=editors/lsp-test -DPROGRAM=scenario_builder -P lsp_node_test.cmake
if(NOT NODE OR NOT EXISTS "${NODE}")
  message("SKIPPED: node is not installed")
  return()
endif()
if(NOT EXISTS "${DIR}/node_modules/vscode-languageserver-protocol/package.json")
  message("SKIPPED: the test's packages are not installed; run 'npm ci' in ${DIR}")
  return()
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SB_PROGRAM=${PROGRAM} ${NODE} --test
  WORKING_DIRECTORY ${DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the node test of the language server failed (${status})")
endif()
