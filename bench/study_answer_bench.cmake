# Enter on a right answer in a box of 32767 entries, through the study
# window and to the session alone. Run under xvfb-run.
add_executable(study_answer_bench ${CMAKE_CURRENT_LIST_DIR}/study_answer_bench.cpp)
target_link_libraries(study_answer_bench PRIVATE trainer_shell common benchmark::benchmark
    Qt6::Test)
