# Turns the resource tree into one .rc file at configure time: each file becomes a resource of type
# "APPRES" named by its path relative to the tree, upper-cased, with '/' and '\' replaced by '_'
# ("res/FileExt.ini" -> "RES_FILEEXT.INI"). Files named *.rc are sources (the string table) and are
# included instead. The glob is re-checked at every build, so adding a file needs no list edit.
#
# Files whose relative path matches the regular expression VERSIONED (UTF-16LE texts with
# "{VERSION}" in them) are compiled in as copies made at build time by tools/version.py, with the
# string table's version written in, so that no text names a version of its own.
function(lumo_add_resources target tree)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "VERSIONED" "")
  file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/*)
  list(SORT resource_files)
  set(rc_text "#pragma code_page(65001)\n#include <windows.h>\n")
  set(depends)
  set(versioned_files)
  set(version_script ${CMAKE_SOURCE_DIR}/tools/version.py)
  foreach(relative IN LISTS resource_files)
    if(relative MATCHES "\\.rc$")
      string(APPEND rc_text "#include \"${tree}/${relative}\"\n")
      list(APPEND depends ${tree}/${relative})
    else()
      string(REPLACE "/" "_" name "${relative}")
      string(REPLACE "\\" "_" name "${name}")
      string(TOUPPER "${name}" name)
      # Unquoted: windres joins a quoted name to the quoted file name of the line before.
      if(NOT name MATCHES "^[A-Z0-9_.-]+$")
        message(FATAL_ERROR "resource file name not usable as a resource name: ${relative}")
      endif()
      set(file ${tree}/${relative})
      if(arg_VERSIONED AND relative MATCHES "${arg_VERSIONED}")
        set(file ${CMAKE_BINARY_DIR}/generated/versioned/${relative})
        add_custom_command(OUTPUT ${file}
                           COMMAND ${LUMO_PYTHON3} -B ${version_script} ${tree}/${relative} ${file}
                           DEPENDS ${tree}/${relative} ${tree}/StringTable.rc ${version_script}
                           COMMENT "Writing the version into ${relative}"
                           VERBATIM)
        list(APPEND versioned_files ${file})
      endif()
      string(APPEND rc_text "${name} APPRES \"${file}\"\n")
      list(APPEND depends ${file})
    endif()
  endforeach()
  set(rc_file ${CMAKE_BINARY_DIR}/generated/LumoResources.rc)
  file(CONFIGURE OUTPUT ${rc_file} CONTENT "${rc_text}")
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${depends}")
  add_library(${target} OBJECT ${rc_file})
  # The string table names its entries by the code's string-id headers ("app/LmStringIds.h"),
  # found from the source root as the code includes them.
  target_include_directories(${target} PRIVATE ${tree} ${CMAKE_SOURCE_DIR})
  if(versioned_files)
    add_custom_target(${target}_versioned DEPENDS ${versioned_files})
    add_dependencies(${target} ${target}_versioned)
  endif()
endfunction()
