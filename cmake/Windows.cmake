# The Windows build: the same framework, application and launcher sources
# against the real Win32 API, with the resources linked from the .res.
find_program(ORVANE_WINDRES NAMES ${ORVANE_WINDRES_NAME} windres REQUIRED)

set(ORVANE_RES_OBJ ${CMAKE_BINARY_DIR}/res/launcher_res.o)
add_custom_command(
  OUTPUT ${ORVANE_RES_OBJ}
  COMMAND ${ORVANE_WINDRES} -J res -O coff -i ${ORVANE_RES} -o ${ORVANE_RES_OBJ}
  DEPENDS ${ORVANE_RES}
  COMMENT "Converting launcher.res to a COFF object"
  VERBATIM)
set_source_files_properties(${ORVANE_RES_OBJ} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)

# The framework, and the program's entry with its start-up hardening.
file(GLOB ORVANE_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/framework/*.cpp)
list(APPEND ORVANE_FRAMEWORK_SOURCES ${CMAKE_SOURCE_DIR}/platform/winmain.cpp ${CMAKE_SOURCE_DIR}/platform/dll_search.cpp)
file(GLOB ORVANE_APP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/launcher/*.cpp)

add_executable(OrvaneCD WIN32 ${ORVANE_FRAMEWORK_SOURCES} ${ORVANE_APP_SOURCES} ${ORVANE_RES_OBJ})
# The .res first, so that the executable's rule never compiles it a second
# time alongside the resource target's.
add_dependencies(OrvaneCD orvane_res)
set_target_properties(OrvaneCD PROPERTIES OUTPUT_NAME OrvaneCD SUFFIX ".exe"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(OrvaneCD PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(OrvaneCD PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
# Unicode entry point; the C and C++ runtimes linked in, so that the
# executable needs no DLL beyond Windows' own.
target_link_options(OrvaneCD PRIVATE -municode -mwindows -static -static-libgcc -static-libstdc++)
target_link_libraries(OrvaneCD PRIVATE comctl32 shell32 user32 gdi32 kernel32)
# The disc's drive reads the whole file before the window shows, so the
# product is kept small: each function and datum in a section of its own,
# and the linker drops those that nothing reaches (framework members this
# launcher does not call); no symbol table. The program has one thread, so
# its function-local statics need no lock (which would link the runtime's
# once-guard and thread primitives). The linker map beside the executable
# tells what each part of the runtime costs (tools/bench.sh).
target_compile_options(OrvaneCD PRIVATE -ffunction-sections -fdata-sections -fno-threadsafe-statics)
target_link_options(OrvaneCD PRIVATE -s -Wl,--gc-sections "-Wl,-Map=${CMAKE_BINARY_DIR}/OrvaneCD.map")

# The load configuration (platform/dll_search.cpp): kept through
# --gc-sections, which nothing else would keep it from, and entered in the
# data directory after the link (pe_load_config.sh says why).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(OrvaneCD PRIVATE -Wl,--require-defined=__load_config_used)
else()
  target_link_options(OrvaneCD PRIVATE -Wl,--require-defined=_load_config_used)
endif()
string(REPLACE windres objdump orvane_objdump_name "${ORVANE_WINDRES_NAME}")
find_program(ORVANE_OBJDUMP NAMES ${orvane_objdump_name} REQUIRED)
add_custom_command(TARGET OrvaneCD POST_BUILD
  COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/pe_load_config.sh $<TARGET_FILE:OrvaneCD>
          ${CMAKE_BINARY_DIR}/OrvaneCD.map ${ORVANE_OBJDUMP}
  VERBATIM)

# Signing, for the vendor's build: with ORVANE_SIGN_PKCS12 set, the build
# also writes signed/OrvaneCD.exe, an Authenticode-signed (SHA-256) copy
# (cd/sign_exe.sh), which the cd-image target puts on the disc. The unsigned
# executable stays where it is: the size figures are its.
set(ORVANE_SIGN_PKCS12 "" CACHE FILEPATH "Code-signing certificate and key (PKCS#12); empty: no signed copy")
set(ORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 password (optional)")
set(ORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signature (optional)")
if(ORVANE_SIGN_PKCS12)
  find_program(ORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
  set(ORVANE_SIGNED_EXE ${CMAKE_BINARY_DIR}/signed/OrvaneCD.exe)
  add_custom_command(
    OUTPUT ${ORVANE_SIGNED_EXE}
    COMMAND ${CMAKE_COMMAND} -E env OSSLSIGNCODE=${ORVANE_OSSLSIGNCODE}
            bash ${CMAKE_SOURCE_DIR}/cd/sign_exe.sh $<TARGET_FILE:OrvaneCD> ${ORVANE_SIGNED_EXE}
            ${ORVANE_SIGN_PKCS12} "${ORVANE_SIGN_PASSWORD_FILE}" "${ORVANE_SIGN_TIMESTAMP_URL}"
    DEPENDS OrvaneCD ${ORVANE_SIGN_PKCS12} ${CMAKE_SOURCE_DIR}/cd/sign_exe.sh
    COMMENT "Signing OrvaneCD.exe"
    VERBATIM)
  add_custom_target(OrvaneCD_signed ALL DEPENDS ${ORVANE_SIGNED_EXE})
endif()
