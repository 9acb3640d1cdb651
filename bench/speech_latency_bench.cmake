# Speak → first sound at the audio server; run it with bench/speech_latency.sh.
add_executable(speech_latency_bench ${CMAKE_CURRENT_LIST_DIR}/speech_latency_bench.cpp)
target_link_libraries(speech_latency_bench PRIVATE speech speech_audio benchmark::benchmark)

# What loading the voices costs in memory and time; run it on its own.
add_executable(speech_memory_bench ${CMAKE_CURRENT_LIST_DIR}/speech_memory_bench.cpp)
target_link_libraries(speech_memory_bench PRIVATE speech benchmark::benchmark)
# With the stand-in for espeak-ng's audio library beside it, as the programs
# have it in their folder.
add_custom_command(TARGET speech_memory_bench POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:lorvane-pcaudio-stand-in>
            $<TARGET_FILE_DIR:speech_memory_bench>/lorvane-pcaudio-stand-in.so)
add_dependencies(speech_memory_bench lorvane-pcaudio-stand-in)

# The lesson words that espeak-ng and libflite pronounce differently.
add_executable(pronunciation_differences ${CMAKE_CURRENT_LIST_DIR}/pronunciation_differences.cpp)
target_link_libraries(pronunciation_differences PRIVATE speech common)
