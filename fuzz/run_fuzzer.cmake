# Runs one fuzzer for a bounded time: new inputs go to a scratch folder, the checked-in seed
# corpus is only read. A crash, leak or timeout makes the fuzzer exit non-zero.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
if(NOT EXISTS ${CORPUS})
  message(FATAL_ERROR "missing seed corpus ${CORPUS}")
endif()
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
          -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus ${CORPUS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzzer failed (${result}); see artifacts in ${WORK}/artifacts")
endif()
