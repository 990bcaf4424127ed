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

# The data file header reader and what `inspect` prints of it, with the same bound on
# its time.
add_executable(HeaderDecodeFuzz tests/fuzz/HeaderDecodeFuzz.cpp)
target_link_libraries(HeaderDecodeFuzz PRIVATE zq_cli zq_warnings)
target_link_options(HeaderDecodeFuzz PRIVATE -fsanitize=fuzzer)
set(header_corpus ${CMAKE_BINARY_DIR}/header-corpus)
file(MAKE_DIRECTORY ${header_corpus})
set(ZQ_HEADER_FUZZ_SECONDS 20 CACHE STRING "How long the header fuzz test runs")
add_test(NAME HeaderDecodeFuzz
         COMMAND HeaderDecodeFuzz -max_total_time=${ZQ_HEADER_FUZZ_SECONDS} -timeout=10
                 -rss_limit_mb=2048 -print_final_stats=1 ${header_corpus}
                 ${CMAKE_SOURCE_DIR}/tests/fuzz/header-seeds)
