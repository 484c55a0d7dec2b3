# Winelib programs inside the native build.
#
# A Winelib program is compiled with wineg++ and linked into a Linux shared object
# ("<name>.exe.so") that Wine runs like a Windows program; winegcc also writes a
# small launcher script "<name>.exe" beside it. CMake can only have one C++
# compiler per project, so these programs are built with custom commands that call
# wineg++ and wrc directly, while native libraries such as the engine are built as
# usual and linked in.
#
#   qv_winelib_program(<target>
#     OUTPUT_DIR <dir>              where <target>.exe and <target>.exe.so go
#     SOURCES <file>...             C++ sources, compiled with wineg++
#     [GUI]                         a window program (-mwindows); default: console
#     [RC <file>]                   a resource script, compiled with wrc
#     [RC_DEPENDS <file>...]        files the resource script pulls in
#     [INCLUDE_DIRS <dir>...]
#     [DEFINES <name[=value]>...]
#     [OBJECTS <file>...]           objects compiled for another program here
#     [LINK <file-or-flag>...]      native libraries and -l flags, in link order
#     [DEPENDS <target-or-file>...] built before linking)
#
# The target <target> builds the program; in the caller's scope <target>_EXE names
# the ".exe.so" that Wine runs and <target>_OBJECTS its compiled sources.

find_program(QV_WINEGXX wineg++)
find_program(QV_WRC wrc)
if(QV_WINEGXX AND QV_WRC)
  set(QV_WINELIB_FOUND TRUE)
else()
  set(QV_WINELIB_FOUND FALSE)
endif()

function(qv_winelib_program name)
  cmake_parse_arguments(ARG "GUI" "OUTPUT_DIR;RC"
                        "SOURCES;OBJECTS;RC_DEPENDS;INCLUDE_DIRS;DEFINES;LINK;DEPENDS" ${ARGN})
  if(NOT ARG_OUTPUT_DIR)
    set(ARG_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set(obj_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}.winelib)

  set(flags -std=c++17 -fPIC -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
  if(QV_WARNINGS_AS_ERRORS)
    list(APPEND flags -Werror)
  endif()
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  separate_arguments(type_flags UNIX_COMMAND "${CMAKE_CXX_FLAGS_${build_type}}")
  list(APPEND flags ${type_flags})
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    list(APPEND flags "-I$<JOIN:${dir},$<SEMICOLON>-I>")
  endforeach()
  foreach(def IN LISTS ARG_DEFINES)
    list(APPEND flags "-D${def}")
  endforeach()

  set(objects)
  foreach(src IN LISTS ARG_SOURCES)
    get_filename_component(src "${src}" ABSOLUTE)
    get_filename_component(stem "${src}" NAME_WE)
    set(obj ${obj_dir}/${stem}.o)
    add_custom_command(
      OUTPUT ${obj}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${obj_dir}
      COMMAND ${QV_WINEGXX} ${flags} -MD -MF ${obj}.d -c ${src} -o ${obj}
      DEPENDS ${src}
      DEPFILE ${obj}.d
      COMMENT "wineg++ ${stem}.cpp"
      COMMAND_EXPAND_LISTS
      VERBATIM)
    list(APPEND objects ${obj})
  endforeach()
  set(compiled ${objects})
  list(APPEND objects ${ARG_OBJECTS})

  if(ARG_RC)
    get_filename_component(rc "${ARG_RC}" ABSOLUTE)
    get_filename_component(stem "${rc}" NAME_WE)
    set(res ${obj_dir}/${stem}.res)
    set(rc_flags)
    foreach(dir IN LISTS ARG_INCLUDE_DIRS)
      list(APPEND rc_flags "-I$<JOIN:${dir},$<SEMICOLON>-I>")
    endforeach()
    foreach(def IN LISTS ARG_DEFINES)
      list(APPEND rc_flags "-D${def}")
    endforeach()
    add_custom_command(
      OUTPUT ${res}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${obj_dir}
      COMMAND ${QV_WRC} ${rc_flags} -o ${res} ${rc}
      DEPENDS ${rc} ${ARG_RC_DEPENDS}
      COMMENT "wrc ${stem}.rc"
      COMMAND_EXPAND_LISTS
      VERBATIM)
    list(APPEND objects ${res})
  endif()

  if(ARG_GUI)
    set(kind -mwindows)
  else()
    set(kind -mconsole)
  endif()
  set(exe ${ARG_OUTPUT_DIR}/${name}.exe)
  add_custom_command(
    OUTPUT ${exe} ${exe}.so
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ARG_OUTPUT_DIR}
    COMMAND ${QV_WINEGXX} ${kind} -o ${exe} ${objects} ${ARG_LINK}
    DEPENDS ${objects} ${ARG_DEPENDS}
    COMMENT "Linking Winelib program ${name}.exe"
    COMMAND_EXPAND_LISTS
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${exe}.so)
  foreach(dep IN LISTS ARG_DEPENDS)
    if(TARGET ${dep})
      add_dependencies(${name} ${dep})
    endif()
  endforeach()
  set(${name}_EXE ${exe}.so PARENT_SCOPE)
  set(${name}_OBJECTS ${compiled} PARENT_SCOPE)
endfunction()
