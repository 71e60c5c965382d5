# The 64-bit build (cmake/mingw-x86_64.cmake): Tallowfin Menu alone, for 64-bit Windows, where
# a 32-bit program sees System32 redirected. Beside it, the recording program that the menu's
# end-to-end test starts as a 64-bit process. Tallowfin.exe and the tests stay 32-bit.
enable_language(RC)
include(cmake/menu_program.cmake)
add_menu_program(TallowfinMenu64)
# The version block's file name and the file's bitness follow the build.
target_compile_definitions(TallowfinMenu64 PRIVATE TALLOWFIN_MENU_64)

add_executable(record_args WIN32 tests/e2e/record_args.cpp)
target_link_libraries(record_args PRIVATE shell32)
target_link_options(record_args PRIVATE -static -static-libgcc -static-libstdc++)
