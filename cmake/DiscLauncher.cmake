# The disc's Linux launcher (ORVANE_DISC_LAUNCHER), built by
# cd/linux/build_launcher.sh in a Debian 11 root: the host build's OrvaneCD
# and orvane_sdl, linked to need glibc and the X client libraries alone.
# FreeType, fontconfig, SDL2 (an X11-only build found through
# PKG_CONFIG_PATH), libstdc++ and libgcc are taken from their static
# archives, their symbols kept to each binary; the label's face is the one
# the disc carries (ORVANE_CARRIED_FONTS_ONLY).

# The root may have no resource compiler: the host build's launcher.res,
# the same bytes everywhere, is embedded instead.
set(ORVANE_DISC_RES "" CACHE FILEPATH "The host build's compiled launcher.res")
if(NOT EXISTS "${ORVANE_DISC_RES}")
  message(FATAL_ERROR "ORVANE_DISC_RES='${ORVANE_DISC_RES}' is not a file: give the host build's res/launcher.res")
endif()
set(ORVANE_RES ${ORVANE_DISC_RES})
add_custom_target(orvane_res)

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
endif()

find_package(PkgConfig REQUIRED)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)

# orvane_static_pkg(NAME MODULE...): PkgConfig::NAME, the modules' static
# link line with every library but glibc's taken from its archive. sdl2.pc's
# --no-undefined (the module takes the host layer from the executable) and
# its run path (the prefix is in the build root only) are left out.
function(orvane_static_pkg name)
  pkg_check_modules(${name} REQUIRED ${ARGN})
  set(libs)
  foreach(flag ${${name}_STATIC_LDFLAGS})
    if(flag MATCHES "^-l(m|dl|pthread|rt|c)$")
      list(APPEND libs ${flag})
    elseif(flag MATCHES "^-l(.+)$")
      list(APPEND libs "-l:lib${CMAKE_MATCH_1}.a")
    elseif(NOT flag MATCHES "^-Wl,(--no-undefined|-rpath|--enable-new-dtags)")
      list(APPEND libs ${flag})
    endif()
  endforeach()
  add_library(PkgConfig::${name} INTERFACE IMPORTED)
  set_target_properties(PkgConfig::${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${${name}_STATIC_INCLUDE_DIRS}"
    INTERFACE_COMPILE_OPTIONS "${${name}_STATIC_CFLAGS_OTHER}"
    INTERFACE_LINK_LIBRARIES "${libs}")
endfunction()

# One link line for both font libraries, in the order pkg-config gives
# (fontconfig before the FreeType it uses).
orvane_static_pkg(FONTCONFIG fontconfig freetype2)
add_library(PkgConfig::FREETYPE INTERFACE IMPORTED)
set_target_properties(PkgConfig::FREETYPE PROPERTIES INTERFACE_LINK_LIBRARIES PkgConfig::FONTCONFIG)
orvane_static_pkg(SDL2 sdl2)

# orvane_disc_link(TARGET): one copy of libstdc++ and libgcc in the binary,
# the archives' symbols kept to it (the executable exports the host layer
# alone, which it links as objects), stripped; TARGET.map beside the build
# names every archive member the linker took, for the notices.
function(orvane_disc_link target)
  target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -s
                      LINKER:--exclude-libs,ALL LINKER:--as-needed
                      LINKER:-Map=${CMAKE_BINARY_DIR}/${target}.map)
endfunction()
