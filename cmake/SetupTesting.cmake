# setup_add_test_program(<name> SOURCES <files...> LIBS <libraries...> [LOCKS <names...>])
#
# A GoogleTest program whose tests CTest runs one by one. Windows test programs
# land in <build>/tests beside their fixtures and run under wine64 through the
# emulator wrapper; native ones run directly. Tests of programs that share a
# LOCKS name never run at the same time: programs that show windows and find
# them by caption take the lock "desktop".
include(GoogleTest)

set(SETUP_TEST_DIR "${CMAKE_BINARY_DIR}/tests")
file(MAKE_DIRECTORY "${SETUP_TEST_DIR}")

if(WIN32)
    set(SETUP_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
    configure_file("${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in"
                   "${CMAKE_BINARY_DIR}/wine-run.sh" @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh" CACHE FILEPATH
        "Runs the Windows test programs" FORCE)
endif()

function(setup_add_test_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LOCKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${SETUP_TEST_DIR}")
    gtest_discover_tests(${name}
        WORKING_DIRECTORY "${SETUP_TEST_DIR}"
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 120 RESOURCE_LOCK "${ARG_LOCKS}")
endfunction()
