# The download works once unpacked: makes the package with cpack, unpacks it into a fresh
# folder, starts the program found there from another folder (through RUN, the emulator, for a
# Windows package) and checks that the built-in run leaves its six files beside the program and
# that the README and the author's manual came along (and in the Windows zip the Notepad++
# language).
#   cmake -DCPACK=... -DCONFIG=<build>/CPackConfig.cmake -DWORK=<folder> [-DRUN=wine] -P this
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/package ${WORK}/unpacked ${WORK}/elsewhere)
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${WORK}/package
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${output}")
endif()
file(GLOB archives ${WORK}/package/*.zip ${WORK}/package/*.tar.gz)
list(LENGTH archives count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${archives}")
endif()
message(STATUS "package: ${archives}")
file(ARCHIVE_EXTRACT INPUT ${archives} DESTINATION ${WORK}/unpacked)

# The Windows zip has the program at its top, the .tar.gz in bin/.
file(GLOB programs ${WORK}/unpacked/*/scenario_builder.exe ${WORK}/unpacked/*/bin/scenario_builder)
file(GLOB_RECURSE readmes ${WORK}/unpacked/*/README.md)
file(GLOB_RECURSE manuals ${WORK}/unpacked/*/authoring.md)
if(NOT programs OR NOT readmes OR NOT manuals)
  message(FATAL_ERROR "the package lacks the program, the README or the author's manual: "
    "${programs} ${readmes} ${manuals}")
endif()
get_filename_component(home ${programs} DIRECTORY)
# The Windows zip also holds the Notepad++ language.
if(programs MATCHES "\\.exe$" AND NOT EXISTS "${home}/editors/notepad++/scenario_builder.xml")
  message(FATAL_ERROR "the Windows package lacks editors/notepad++/scenario_builder.xml")
endif()
execute_process(COMMAND ${RUN} ${programs} WORKING_DIRECTORY ${WORK}/elsewhere
  RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the unpacked program ended with ${status}: ${err}")
endif()
foreach(leaf "LINEA 7_scheda_treno.txt" "LINEA 7_note.txt" "LINEA 7_rallentamenti.txt"
    "linea.dat" "LINEA 7.sim" "LINEA 7.dat")
  if(NOT EXISTS "${home}/Roccalta_ Valfiorita_${leaf}")
    message(FATAL_ERROR "no 'Roccalta_ Valfiorita_${leaf}' beside the unpacked program")
  endif()
endforeach()
file(GLOB stray ${WORK}/elsewhere/*)
if(stray)
  message(FATAL_ERROR "the program wrote into the current folder: ${stray}")
endif()
