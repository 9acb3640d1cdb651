find_package(X11 REQUIRED)
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE common benchmark::benchmark_main X11::X11)
target_compile_definitions(startup_bench PRIVATE
    LORVANE_EXECUTABLE="$<TARGET_FILE:Lorvane>"
    MINIMAL_WINDOW_EXECUTABLE="$<TARGET_FILE:minimal_window>")
