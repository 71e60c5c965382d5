# The native build: pure text helpers and their tests under AddressSanitizer and UBSan.
set(TALLOWFIN_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(tallowfin_pure STATIC ${TALLOWFIN_PURE_SOURCES} ${TALLOWFIN_MENU_PURE_SOURCES})
target_compile_options(tallowfin_pure PRIVATE ${TALLOWFIN_WARNINGS} ${TALLOWFIN_SANITIZE})
target_link_options(tallowfin_pure PUBLIC ${TALLOWFIN_SANITIZE})

file(GLOB TALLOWFIN_HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(tallowfin_host_tests ${TALLOWFIN_HOST_TEST_SOURCES})
target_include_directories(tallowfin_host_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(tallowfin_host_tests PRIVATE ${TALLOWFIN_WARNINGS} ${TALLOWFIN_SANITIZE})
target_link_libraries(tallowfin_host_tests PRIVATE tallowfin_pure GTest::gtest_main)
add_test(NAME host_pure_helpers COMMAND tallowfin_host_tests)

# Fuzz targets (clang's libFuzzer), one per window-free helper; scripts/fuzz.sh runs them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(TALLOWFIN_FUZZ -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    file(GLOB TALLOWFIN_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
    foreach(source ${TALLOWFIN_FUZZ_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        # The helpers are built into each target so that the fuzzer sees their branches.
        add_executable(${name} ${source} ${TALLOWFIN_PURE_SOURCES})
        target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
        target_compile_options(${name} PRIVATE ${TALLOWFIN_WARNINGS} ${TALLOWFIN_FUZZ} -g)
        target_link_options(${name} PRIVATE ${TALLOWFIN_FUZZ})
    endforeach()
endif()
