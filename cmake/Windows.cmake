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

file(GLOB ORVANE_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
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
