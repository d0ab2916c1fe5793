# morvik-cli: stage timings (Google Benchmark), the corpus writer, and the
# whole-program run against Python (bench/cli_bench, a script that uses both).
add_executable(cli_pipeline_bench
  ${CMAKE_CURRENT_LIST_DIR}/cli_pipeline_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/url_corpus.cpp)
target_include_directories(cli_pipeline_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(cli_pipeline_bench PRIVATE morvik_report benchmark::benchmark)

add_executable(cli_corpus
  ${CMAKE_CURRENT_LIST_DIR}/cli_corpus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/url_corpus.cpp)
target_include_directories(cli_corpus PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(cli_corpus PRIVATE morvik_support)
