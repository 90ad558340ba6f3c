# Turns the resource tree into one .rc file at configure time: each file becomes a resource of type
# "APPRES" named by its path relative to the tree, upper-cased, with '/' and '\' replaced by '_'
# ("res/FileExt.ini" -> "RES_FILEEXT.INI"). Files named *.rc are sources (the string table) and are
# included instead. The glob is re-checked at every build, so adding a file needs no list edit.
function(lumo_add_resources target tree)
  file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/*)
  list(SORT resource_files)
  set(rc_text "#pragma code_page(65001)\n#include <windows.h>\n")
  set(depends)
  foreach(relative IN LISTS resource_files)
    if(relative MATCHES "\\.rc$")
      string(APPEND rc_text "#include \"${tree}/${relative}\"\n")
    else()
      string(REPLACE "/" "_" name "${relative}")
      string(REPLACE "\\" "_" name "${name}")
      string(TOUPPER "${name}" name)
      # Unquoted: windres joins a quoted name to the quoted file name of the line before.
      if(NOT name MATCHES "^[A-Z0-9_.-]+$")
        message(FATAL_ERROR "resource file name not usable as a resource name: ${relative}")
      endif()
      string(APPEND rc_text "${name} APPRES \"${tree}/${relative}\"\n")
    endif()
    list(APPEND depends ${tree}/${relative})
  endforeach()
  set(rc_file ${CMAKE_BINARY_DIR}/generated/LumoResources.rc)
  file(CONFIGURE OUTPUT ${rc_file} CONTENT "${rc_text}")
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${depends}")
  add_library(${target} OBJECT ${rc_file})
  # The string table names its entries by the code's string-id headers ("app/LmStringIds.h"),
  # found from the source root as the code includes them.
  target_include_directories(${target} PRIVATE ${tree} ${CMAKE_SOURCE_DIR})
endfunction()
