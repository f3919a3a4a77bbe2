# The Linux build: the framework over our own Win32 subset (platform/host).
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)  # the desktop pointer during a drag

# The compiled .res travels inside the executable, as it does on Windows:
# orvane_embed_res(TARGET RES DEPENDS) makes an object library holding RES
# between orvane_res_begin and orvane_res_end, rebuilt when RES changes.
function(orvane_embed_res target res depends)
  set(ORVANE_EMBED_RES ${res})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.S)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/res_embed.S.in ${source} @ONLY)
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${res})
  add_library(${target} OBJECT ${source})
  add_dependencies(${target} ${depends})
endfunction()
orvane_embed_res(orvane_res_blob ${ORVANE_RES} orvane_res)

# platform/host: the Win32 subset as a small window system in rooms, each a
# folder and an object library of its own, lowest first: base (UTF
# conversion, rectangles), res (the .res container and decoders), kernel
# (module, resources, last error), present (the presenter contract), gdi,
# shell, user (windows, queue, input, paint, dialogs), then the presenters
# (headless here; the desktop one is a module below) and the registry that
# picks one. A room uses only rooms before it (tests/host/rooms_test.sh
# checks each object's references). The rooms see each other through
# room-qualified includes ("gdi/objects.h") from the host folder, which is
# private to them: the framework above sees win32.h alone.
set(ORVANE_HOST_DIR ${CMAKE_SOURCE_DIR}/platform/host)
set(ORVANE_HOST_ROOMS)

# orvane_host_room(NAME SOURCES... [LIBS ...]): the room's object library.
function(orvane_host_room name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBS")
  add_library(orvane_host_${name} OBJECT ${arg_SOURCES})
  target_include_directories(orvane_host_${name} PRIVATE ${ORVANE_HOST_DIR})
  target_link_libraries(orvane_host_${name} PRIVATE ${arg_LIBS})
  set(ORVANE_HOST_ROOMS ${ORVANE_HOST_ROOMS} ${name} PARENT_SCOPE)
endfunction()

function(orvane_host_sources var)
  list(TRANSFORM ARGN PREPEND ${ORVANE_HOST_DIR}/)
  file(GLOB sources CONFIGURE_DEPENDS ${ARGN})
  set(${var} ${sources} PARENT_SCOPE)
endfunction()

foreach(room base res kernel present gdi shell user present/headless present/registry)
  string(REPLACE "present/" "" name ${room})
  orvane_host_sources(sources ${room}/*.cpp)
  set(libs)
  if(room STREQUAL "gdi")
    set(libs PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
  endif()
  orvane_host_room(${name} SOURCES ${sources} LIBS ${libs})
endforeach()

# The rooms in one library for the framework and the tests. The registry
# is referenced by no one (it registers itself before main), so its objects
# go into every program that links the library rather than into the archive,
# where the linker would leave them out.
set(archived_rooms ${ORVANE_HOST_ROOMS})
list(REMOVE_ITEM archived_rooms registry)
list(TRANSFORM archived_rooms PREPEND "$<TARGET_OBJECTS:orvane_host_" OUTPUT_VARIABLE host_objects)
list(TRANSFORM host_objects APPEND ">")
add_library(orvane_host STATIC ${host_objects})
target_sources(orvane_host INTERFACE $<TARGET_OBJECTS:orvane_host_registry>)
target_include_directories(orvane_host PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane_host PUBLIC PkgConfig::FREETYPE PkgConfig::FONTCONFIG ${CMAKE_DL_LIBS})
set(ORVANE_HOST_ROOMS ${ORVANE_HOST_ROOMS} CACHE INTERNAL "the host layer's rooms, lowest first")

# The desktop presenter: a module beside the executable, loaded when chosen,
# so that headless runs never load SDL2. It takes the host layer's symbols
# from the executable that loads it.
# Its objects are compiled once, for the module and for the tests of its
# display-free parts.
orvane_host_sources(sdl_sources present/sdl/*.cpp)
add_library(orvane_sdl_objects OBJECT ${sdl_sources})
set_target_properties(orvane_sdl_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(orvane_sdl_objects PRIVATE ${ORVANE_HOST_DIR})
target_link_libraries(orvane_sdl_objects PUBLIC PkgConfig::SDL2 PkgConfig::X11 PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
add_library(orvane_sdl MODULE $<TARGET_OBJECTS:orvane_sdl_objects>)
target_link_libraries(orvane_sdl PRIVATE orvane_sdl_objects)
set_target_properties(orvane_sdl PROPERTIES PREFIX "lib" OUTPUT_NAME orvane_sdl
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# platform: the framework, written once against the Win32 API.
file(GLOB ORVANE_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
list(FILTER ORVANE_FRAMEWORK_SOURCES EXCLUDE REGEX ".*/winmain\\.cpp$")
add_library(orvane_framework STATIC ${ORVANE_FRAMEWORK_SOURCES})
target_link_libraries(orvane_framework PUBLIC orvane_host)

# app/ and launcher/: the launcher itself. An object library, so that the
# global application object is always linked in.
file(GLOB ORVANE_APP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/launcher/*.cpp)
add_library(orvane_app OBJECT ${ORVANE_APP_SOURCES})
target_link_libraries(orvane_app PUBLIC orvane_framework)

add_executable(OrvaneCD ${CMAKE_SOURCE_DIR}/platform/winmain.cpp)
target_link_libraries(OrvaneCD PRIVATE orvane_app orvane_framework orvane_res_blob)
# The whole host layer, its symbols exported, for the desktop module.
target_link_options(OrvaneCD PRIVATE "LINKER:--whole-archive" "$<TARGET_FILE:orvane_host>" "LINKER:--no-whole-archive")
set_target_properties(OrvaneCD PROPERTIES ENABLE_EXPORTS ON)
add_dependencies(OrvaneCD orvane_sdl)

enable_testing()
add_subdirectory(tools)
add_subdirectory(tests)
add_subdirectory(bench)
include(cmake/CdImage.cmake)
