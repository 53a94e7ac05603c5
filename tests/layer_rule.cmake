# The layer rule, shown on the build's own include folders: a source of a layer that includes a
# header of a layer above it does not compile, and the same source with an include the layer is
# allowed does, so that the first failure is the missing header and nothing else.
#
#   cmake -DCXX=COMPILER -DLAYERS=BUILD/layers -DWORK=FOLDER -P layer_rule.cmake
#
# Each row: the layer the source belongs to, a header it may include, a header above it.
set(rows
  "model|platform/files.h|driver/options.h"
  "model|model/scenario.h|compiler/output_files.h"
  "viewer|format/track_file.h|compiler/output_files.h"
  "format|model/track_cell.h|reader/keywords.h")

foreach(variable CXX LAYERS WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "layer_rule.cmake needs -D${variable}=...")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Compiles a source of `layer` that includes `header`, with that layer's include folder alone;
# sets `result` to the compiler's exit status and `output` to what it printed.
function(compile_with_include layer header result output)
  string(MAKE_C_IDENTIFIER "${layer}_${header}" name)
  set(source "${WORK}/${name}.cpp")
  file(WRITE "${source}" "#include \"${header}\"\nint main() { return 0; }\n")
  execute_process(
    COMMAND ${CXX} -std=c++20 -fsyntax-only "-I${LAYERS}/${layer}" "${source}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} "${status}" PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

set(failures "")
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" row "${row}")
  list(GET row 0 layer)
  list(GET row 1 allowed)
  list(GET row 2 above)
  if(NOT IS_DIRECTORY "${LAYERS}/${layer}")
    string(APPEND failures "no include folder for the layer ${layer} in ${LAYERS}\n")
    continue()
  endif()

  compile_with_include(${layer} ${allowed} status out)
  if(NOT status EQUAL 0)
    string(APPEND failures "a ${layer} source including ${allowed} should compile:\n${out}\n")
  endif()

  compile_with_include(${layer} ${above} status out)
  string(REGEX MATCH "${above}[^\n]*(No such file|not found)" missing "${out}")
  if(status EQUAL 0)
    string(APPEND failures "a ${layer} source including ${above} compiled\n")
  elseif(NOT missing)
    string(APPEND failures
      "a ${layer} source including ${above} failed, but not for the missing header:\n${out}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH rows count)
message(STATUS "the layer rule held in ${count} rows")
