# The Linux build: the framework (platform/framework) over our own Win32
# subset (platform/host), the launcher, and the SDL presenter as a module.
# Its libraries are the system's, found by pkg-config; the disc's build
# (cmake/DiscLauncher.cmake) has already made static ones of the same names.
if(NOT ORVANE_DISC_LAUNCHER)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
  pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)  # the desktop pointer during a drag
endif()

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
# (headless here; the SDL one is a module below) and the registry that
# picks one. A room uses only the rooms its USES names, by include and by
# symbol; the table of them goes to rooms.txt in the build folder, which
# tests/host/rooms_test.sh checks every object against. The rooms see each
# other through room-qualified includes ("gdi/objects.h") from the host
# folder, which is private to them: the framework above sees win32.h alone.
set(ORVANE_HOST_DIR ${CMAKE_SOURCE_DIR}/platform/host)
set(ORVANE_HOST_ROOMS)
set(ORVANE_ROOMS_TABLE "")

function(orvane_host_sources var)
  list(TRANSFORM ARGN PREPEND ${ORVANE_HOST_DIR}/)
  file(GLOB sources CONFIGURE_DEPENDS ${ARGN})
  set(${var} ${sources} PARENT_SCOPE)
endfunction()

# orvane_note_room(NAME FOLDER TARGET [USES...]): a line of rooms.txt, for
# a room whose sources are FOLDER (from the source tree's root) and whose
# objects are TARGET's.
macro(orvane_note_room name folder target)
  string(REPLACE ";" " " orvane_uses "${ARGN}")
  string(APPEND ORVANE_ROOMS_TABLE "${name} ${folder} ${target} ${orvane_uses}\n")
endmacro()

# orvane_host_room(NAME FOLDER [USES rooms...] [LIBS ...]): the room's
# object library, from the .cpp files of platform/host/FOLDER.
function(orvane_host_room name folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "USES;LIBS")
  orvane_host_sources(sources ${folder}/*.cpp)
  add_library(orvane_host_${name} OBJECT ${sources})
  target_include_directories(orvane_host_${name} PRIVATE ${ORVANE_HOST_DIR})
  target_link_libraries(orvane_host_${name} PRIVATE ${arg_LIBS})
  set(ORVANE_HOST_ROOMS ${ORVANE_HOST_ROOMS} ${name} PARENT_SCOPE)
  orvane_note_room(${name} platform/host/${folder} orvane_host_${name} ${arg_USES})
  set(ORVANE_ROOMS_TABLE "${ORVANE_ROOMS_TABLE}" PARENT_SCOPE)
endfunction()

orvane_host_room(base base)
orvane_host_room(res res USES base)
orvane_host_room(kernel kernel USES base res)
orvane_host_room(present present)  # the contract alone
orvane_host_room(gdi gdi USES base res kernel present LIBS PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
orvane_host_room(shell shell USES base kernel)
orvane_host_room(user user USES base res kernel present gdi shell)
orvane_host_room(headless present/headless USES base kernel present user)
orvane_host_room(registry present/registry USES kernel present headless sdl)
if(ORVANE_DISC_LAUNCHER)
  # The disc's launcher reads no system font configuration: its label is
  # drawn in the face it carries, whatever fontconfig the desktop has.
  target_compile_definitions(orvane_host_gdi PRIVATE ORVANE_CARRIED_FONTS_ONLY)
endif()

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

# The SDL presenter: a module beside the executable, loaded when chosen,
# so that headless runs never load SDL2. It takes the host layer's symbols
# from the executable that loads it.
# Its objects are compiled once, for the module and for the tests of its
# display-free parts.
orvane_host_sources(sdl_sources present/sdl/*.cpp)
add_library(orvane_sdl_objects OBJECT ${sdl_sources})
set_target_properties(orvane_sdl_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(orvane_sdl_objects PRIVATE ${ORVANE_HOST_DIR})
target_link_libraries(orvane_sdl_objects PUBLIC PkgConfig::SDL2 PkgConfig::X11 PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
orvane_note_room(sdl platform/host/present/sdl orvane_sdl_objects base present gdi user)
add_library(orvane_sdl MODULE $<TARGET_OBJECTS:orvane_sdl_objects>)
target_link_libraries(orvane_sdl PRIVATE orvane_sdl_objects)
set_target_properties(orvane_sdl PROPERTIES PREFIX "lib" OUTPUT_NAME orvane_sdl
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# platform: the framework, written once against the Win32 API.
file(GLOB ORVANE_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/framework/*.cpp)
add_library(orvane_framework STATIC ${ORVANE_FRAMEWORK_SOURCES})
target_link_libraries(orvane_framework PUBLIC orvane_host)
# Above the rooms: it calls the Win32 API (win32.h) and nothing of theirs.
orvane_note_room(framework platform/framework orvane_framework win32)
file(WRITE ${CMAKE_BINARY_DIR}/rooms.txt "${ORVANE_ROOMS_TABLE}")

# app/ and launcher/: the launcher itself. An object library, so that the
# global application object is always linked in.
file(GLOB ORVANE_APP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/launcher/*.cpp)
add_library(orvane_app OBJECT ${ORVANE_APP_SOURCES})
target_link_libraries(orvane_app PUBLIC orvane_framework)

add_executable(OrvaneCD ${CMAKE_SOURCE_DIR}/platform/winmain.cpp)
target_link_libraries(OrvaneCD PRIVATE orvane_app orvane_framework orvane_res_blob)
# The whole host layer, its symbols exported, for the desktop module. The
# disc's build links its objects (it keeps every archive's symbols hidden).
if(ORVANE_DISC_LAUNCHER)
  target_sources(OrvaneCD PRIVATE ${host_objects})
else()
  target_link_options(OrvaneCD PRIVATE "LINKER:--whole-archive" "$<TARGET_FILE:orvane_host>" "LINKER:--no-whole-archive")
endif()
set_target_properties(OrvaneCD PROPERTIES ENABLE_EXPORTS ON)
add_dependencies(OrvaneCD orvane_sdl)

# The disc's build needs the launcher alone: no tests, tools or image.
if(ORVANE_DISC_LAUNCHER)
  orvane_disc_link(OrvaneCD)
  orvane_disc_link(orvane_sdl)
  return()
endif()

# The tests and benchmarks need GoogleTest, Google Benchmark and the Windows
# cross compilers, which tools/run.sh does not install: it configures a new
# build folder without them. tools/test.sh turns them on.
option(ORVANE_TESTS "Build the tests and the benchmarks" ON)

add_subdirectory(tools)
if(ORVANE_TESTS)
  enable_testing()
  add_subdirectory(tests)
  add_subdirectory(bench)
endif()
include(cmake/CdImage.cmake)
