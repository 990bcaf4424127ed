# The configuration text reader under libFuzzer, run for a bounded time by CTest.
enable_testing()
add_executable(ConfigTextFuzz tests/fuzz/ConfigTextFuzz.cpp)
target_link_libraries(ConfigTextFuzz PRIVATE zq_core zq_warnings)
target_link_options(ConfigTextFuzz PRIVATE -fsanitize=fuzzer)

set(corpus ${CMAKE_BINARY_DIR}/corpus)
file(MAKE_DIRECTORY ${corpus})
configure_file(${CMAKE_SOURCE_DIR}/resources/ZQ347Fill.cfg ${corpus}/builtin.cfg COPYONLY)
set(ZQ_FUZZ_SECONDS 30 CACHE STRING "How long the fuzz test runs")
add_test(NAME ConfigTextFuzz
         COMMAND ConfigTextFuzz -max_total_time=${ZQ_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                 -print_final_stats=1 ${corpus} ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds)
