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

# platform/host: the Win32 subset, the resource reader and the presenters.
file(GLOB ORVANE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/host/*.cpp)
add_library(orvane_host STATIC ${ORVANE_HOST_SOURCES})
target_include_directories(orvane_host PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/host)
target_link_libraries(orvane_host PUBLIC PkgConfig::FREETYPE PkgConfig::FONTCONFIG ${CMAKE_DL_LIBS})

# The desktop presenter: a module beside the executable, loaded when chosen,
# so that headless runs never load SDL2. It takes the host layer's symbols
# from the executable that loads it.
# Its objects are compiled once, for the module and for the tests of its
# display-free parts.
file(GLOB ORVANE_SDL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/host/sdl/*.cpp)
add_library(orvane_sdl_objects OBJECT ${ORVANE_SDL_SOURCES})
set_target_properties(orvane_sdl_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(orvane_sdl_objects PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/host)
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
