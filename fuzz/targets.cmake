# The fuzz targets and the libraries each one needs. Read by the fuzzer build (fuzz/) and by
# the corpus replay of the ordinary tests (tests/hardening/), so both build the same targets.
set(LORVANE_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

set(LORVANE_FUZZ_TARGETS
    table_lines
    table_includes
    leading_number
    numerals
    line_ends
    scheme_segments
    user_format
    vbs_lexer
    vbs_parser
    vbs_evaluator
)
set(LORVANE_FUZZ_LIBS_table_lines lorvane_engine)
set(LORVANE_FUZZ_LIBS_table_includes lorvane_pipeline)
set(LORVANE_FUZZ_LIBS_leading_number lorvane_engine)
set(LORVANE_FUZZ_LIBS_numerals lorvane_engine)
set(LORVANE_FUZZ_LIBS_line_ends lorvane_text_reader)
set(LORVANE_FUZZ_LIBS_scheme_segments lorvane_pipeline)
set(LORVANE_FUZZ_LIBS_user_format lorvane_pipeline)
set(LORVANE_FUZZ_LIBS_vbs_lexer lorvane_scripting)
set(LORVANE_FUZZ_LIBS_vbs_parser lorvane_scripting)
set(LORVANE_FUZZ_LIBS_vbs_evaluator lorvane_pipeline)

# The support code every target links: sections, scratch folder, checks.
function(lorvane_fuzz_support name)
    add_library(${name} STATIC ${LORVANE_FUZZ_DIR}/support/fuzz_support.cpp)
    target_include_directories(${name} PUBLIC ${LORVANE_FUZZ_DIR}/support)
    target_link_libraries(${name} PUBLIC lorvane_engine lorvane_platform)
endfunction()
