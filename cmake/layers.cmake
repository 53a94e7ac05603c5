# The layers of the program, each a static library sb_LAYER built from the files of its folder
# under src/. A layer compiles against an include folder of its own in the build tree,
# layers/LAYER/, that holds its own source folder and those of the layers it uses (directly or
# through another), and nothing else: an #include of a higher layer's header is not found and
# the build stops there.

# The warning switches and code-generation rules of the project's own code, kept off the
# libraries it builds from sources (GoogleTest).
add_library(sb_project_options INTERFACE)
# The route geometry's last bits depend on every step being evaluated as written:
# no fused multiply-add.
target_compile_options(sb_project_options INTERFACE -Wall -Wextra -Wpedantic -ffp-contract=off)
# GCC 12 at -O2 and above reports -Wrestrict for `"text" + std::string` where the string is a
# temporary: an overlap it imagines inside its own inlined std::string code, a known false
# positive that GCC 13 no longer gives. Only that compiler gets the warning switched off.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(sb_project_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
if(SB_WERROR)
  target_compile_options(sb_project_options INTERFACE -Werror)
endif()

# The layer libraries, lowest first (read by the fuzz build, which instruments them all).
set_property(GLOBAL PROPERTY SB_LAYER_TARGETS "")

# Makes `link` show the folder `target`: a symbolic link where the system allows one, else a
# copy of the folder's headers, made again whenever one of them changes.
function(sb_layer_folder_link target link)
  if(IS_SYMLINK "${link}")
    file(READ_SYMLINK "${link}" current)
    if(current STREQUAL target)
      return()
    endif()
    file(REMOVE "${link}")
  endif()
  if(NOT EXISTS "${link}/.sb_copy")
    file(CREATE_LINK "${target}" "${link}" RESULT result SYMBOLIC)
    if(result EQUAL 0)
      return()
    endif()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS "${target}/*.h")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
  file(MAKE_DIRECTORY "${link}")
  file(COPY ${headers} DESTINATION "${link}")
  file(TOUCH "${link}/.sb_copy")
endfunction()

# sb_add_layer(LAYER [USES LOWER...] SOURCES FILE...)
# Adds the library sb_LAYER from the FILEs of src/LAYER/, linked to the layers it USES, which
# must be added before it.
function(sb_add_layer layer)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES;SOURCES")
  set(folders ${layer})
  set(libraries "")
  foreach(lower IN LISTS arg_USES)
    get_property(lower_folders GLOBAL PROPERTY SB_LAYER_FOLDERS_${lower})
    if(NOT lower_folders)
      message(FATAL_ERROR "Layer ${layer} uses ${lower}, which is not a layer added before it")
    endif()
    list(APPEND folders ${lower_folders})
    list(APPEND libraries sb_${lower})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_property(GLOBAL PROPERTY SB_LAYER_FOLDERS_${layer} ${folders})

  set(include_folder "${PROJECT_BINARY_DIR}/layers/${layer}")
  file(MAKE_DIRECTORY "${include_folder}")
  # A layer that no longer uses another loses its link to it (links only: a copy made where
  # links cannot be is refreshed below).
  file(GLOB old_links LIST_DIRECTORIES true "${include_folder}/*")
  foreach(old IN LISTS old_links)
    get_filename_component(old_name "${old}" NAME)
    if(IS_SYMLINK "${old}" AND NOT old_name IN_LIST folders)
      file(REMOVE "${old}")
    endif()
  endforeach()
  foreach(folder IN LISTS folders)
    sb_layer_folder_link("${PROJECT_SOURCE_DIR}/src/${folder}" "${include_folder}/${folder}")
  endforeach()

  add_library(sb_${layer} STATIC ${arg_SOURCES})
  target_include_directories(sb_${layer} PUBLIC "${include_folder}")
  target_link_libraries(sb_${layer} PUBLIC ${libraries} PRIVATE sb_project_options)
  set_property(GLOBAL APPEND PROPERTY SB_LAYER_TARGETS sb_${layer})
endfunction()
