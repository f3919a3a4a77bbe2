# Compile the one resource script into the binary .res format with a real
# resource compiler. llvm-rc preprocesses through clang, which drops the
# code-page pragma, so the UTF-8 code page is also given on its command line.
# llvm-rc takes "/" as its option prefix even on POSIX, so an absolute input
# path such as /data/... would be read as the /D option: the script is named
# relative to its own folder, and every path goes as a separate option value.
set(ORVANE_RC_SOURCE ${CMAKE_SOURCE_DIR}/res/launcher.rc)
set(ORVANE_RES ${CMAKE_BINARY_DIR}/res/launcher.res)
file(GLOB ORVANE_RC_INPUTS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico
     ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.h)

find_program(ORVANE_LLVM_RC NAMES llvm-rc llvm-rc-16 llvm-rc-15 llvm-rc-14)
if(NOT ORVANE_LLVM_RC)
  message(FATAL_ERROR "llvm-rc not found: install Debian's llvm package")
endif()

# The manifest asks for Common Controls 6 built for the program's processor:
# a 64-bit program that asked for the x86 assembly would find the 32-bit DLL
# where 64-bit Windows keeps both, and fail to load. The 64-bit build's copy
# differs from the product's only in that attribute.
set(ORVANE_RC_DEFINES)
if(WIN32 AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ORVANE_MANIFEST ${CMAKE_BINARY_DIR}/res/launcher-amd64.manifest)
  # sed keeps the bytes as they are (BOM, CR LF line ends).
  add_custom_command(
    OUTPUT ${ORVANE_MANIFEST}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
    COMMAND sh -c "sed 's/processorArchitecture=\"x86\"/processorArchitecture=\"amd64\"/' \"$0\" >\"$1\""
            ${CMAKE_SOURCE_DIR}/res/launcher.manifest ${ORVANE_MANIFEST}
    DEPENDS ${CMAKE_SOURCE_DIR}/res/launcher.manifest
    COMMENT "Writing the 64-bit build's manifest"
    VERBATIM)
  set(ORVANE_RC_DEFINES /D "ORVANE_MANIFEST=\"${ORVANE_MANIFEST}\"")
endif()

add_custom_command(
  OUTPUT ${ORVANE_RES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
  COMMAND ${ORVANE_LLVM_RC} /nologo /C 65001 /I . ${ORVANE_RC_DEFINES} /FO ${ORVANE_RES} launcher.rc
  DEPENDS ${ORVANE_RC_SOURCE} ${ORVANE_RC_INPUTS} ${ORVANE_MANIFEST}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/res
  COMMENT "Compiling launcher.rc to launcher.res"
  VERBATIM)
add_custom_target(orvane_res ALL DEPENDS ${ORVANE_RES})
