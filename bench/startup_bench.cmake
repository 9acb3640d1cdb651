find_package(X11 REQUIRED)
# The floor the trainer's start is compared with: the smallest Qt Widgets
# program that shows a window.
add_executable(minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE common benchmark::benchmark_main X11::X11)
target_compile_definitions(startup_bench PRIVATE
    LORVANE_EXECUTABLE="$<TARGET_FILE:Lorvane>"
    MINIMAL_WINDOW_EXECUTABLE="$<TARGET_FILE:minimal_window>")
