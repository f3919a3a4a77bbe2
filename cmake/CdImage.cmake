# The installation CD: `cmake --build <dir> --target cd-image` lays out the
# disc's root in build/cd/root and makes build/cd/OrvaneCD.iso from it: the
# product launcher (the windows-x86 preset's OrvaneCD.exe, built first),
# autorun.inf, the payload from ORVANE_PAYLOAD_DIR, and the Linux launcher
# with autorun.sh (built in a Debian 11 root, which needs root: without it,
# ORVANE_CD_LINUX=OFF makes the Windows-only disc). Not part of ALL.
set(ORVANE_PAYLOAD_DIR "" CACHE PATH
    "Folder holding Setup.exe, manual.pdf and AdbeRdr70_kor.exe for the CD image (optional)")
option(ORVANE_CD_LINUX "The CD image carries the Linux launcher" ON)
set(ORVANE_CD_LINUX_DIR ${CMAKE_SOURCE_DIR}/build/disc-launcher)
set(ORVANE_CD_DIR ${CMAKE_SOURCE_DIR}/build/cd CACHE PATH
    "Where the cd-image target puts root/ and OrvaneCD.iso")

# The preset's folder, as CMakePresets.json names it.
set(ORVANE_CD_X86_DIR ${CMAKE_SOURCE_DIR}/build/windows-x86)

# Not required here: without it make_image.sh says how to get it.
find_program(ORVANE_XORRISO xorriso)
set(orvane_cd_env)
if(ORVANE_XORRISO)
  set(orvane_cd_env XORRISO=${ORVANE_XORRISO})
endif()

set(orvane_cd_payload)
if(NOT ORVANE_PAYLOAD_DIR STREQUAL "")
  set(orvane_cd_payload --payload ${ORVANE_PAYLOAD_DIR})
endif()

# The Windows build is a build of its own; the outer make's job server and
# flags stay out of it.
set(orvane_cd_clean_env ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS --unset=MAKELEVEL)

set(orvane_cd_linux_build)
set(orvane_cd_linux)
if(ORVANE_CD_LINUX)
  set(orvane_cd_linux_build COMMAND ${orvane_cd_clean_env} bash ${CMAKE_SOURCE_DIR}/cd/linux/build_launcher.sh
                            ${ORVANE_CD_LINUX_DIR} ${ORVANE_RES})
  set(orvane_cd_linux --linux ${ORVANE_CD_LINUX_DIR})
endif()

# A signed launcher (cmake/Windows.cmake): with ORVANE_SIGN_PKCS12 set here,
# the preset's build is configured with the three signing settings each
# time, and the disc gets its signed copy.
set(ORVANE_SIGN_PKCS12 "" CACHE FILEPATH "Code-signing certificate and key (PKCS#12) for the disc's launcher; empty: unsigned")
set(ORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 password (optional)")
set(ORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signature (optional)")
if(ORVANE_SIGN_PKCS12)
  set(orvane_cd_configure COMMAND ${orvane_cd_clean_env} ${CMAKE_COMMAND} --preset windows-x86
      -DORVANE_SIGN_PKCS12=${ORVANE_SIGN_PKCS12} -DORVANE_SIGN_PASSWORD_FILE=${ORVANE_SIGN_PASSWORD_FILE}
      -DORVANE_SIGN_TIMESTAMP_URL=${ORVANE_SIGN_TIMESTAMP_URL})
  set(orvane_cd_exe ${ORVANE_CD_X86_DIR}/signed/OrvaneCD.exe)
else()
  set(orvane_cd_configure COMMAND ${orvane_cd_clean_env} bash -c
      "test -f '${ORVANE_CD_X86_DIR}/CMakeCache.txt' || '${CMAKE_COMMAND}' --preset windows-x86")
  set(orvane_cd_exe ${ORVANE_CD_X86_DIR}/OrvaneCD.exe)
endif()

add_custom_target(cd-image
  ${orvane_cd_configure}
  COMMAND ${orvane_cd_clean_env} ${CMAKE_COMMAND} --build --preset windows-x86
  ${orvane_cd_linux_build}
  COMMAND ${CMAKE_COMMAND} -E env ${orvane_cd_env}
          bash ${CMAKE_SOURCE_DIR}/cd/make_image.sh
          --exe ${orvane_cd_exe}
          --out ${ORVANE_CD_DIR}
          ${orvane_cd_payload} ${orvane_cd_linux}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  BYPRODUCTS ${ORVANE_CD_DIR}/OrvaneCD.iso
  COMMENT "Making the CD image ${ORVANE_CD_DIR}/OrvaneCD.iso"
  USES_TERMINAL
  VERBATIM)
add_dependencies(cd-image orvane_res)
