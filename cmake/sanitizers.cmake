# Sanitizer flags go on every target of the tree (the generated moc files too), at -O1 so the
# instrumented build and its test run stay quick. A UBSan report aborts, so a test cannot pass
# over one. The test build uses g++ (clang 14 cannot compile libstdc++ 12's ranges, which the
# tests use); the fuzz build uses clang for libFuzzer and builds only the fuzz targets.
if(SSQ_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "SSQ_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(SSQ_SANITIZE ON)
endif()

if(SSQ_SANITIZE)
  # g++ leaves float-to-integer overflow out of "undefined"; the leading-number rule makes it a
  # real risk here, so it is named.
  set(ssq_sanitizers -fsanitize=address,undefined,float-cast-overflow
                     -fno-sanitize-recover=undefined,float-cast-overflow)
  add_compile_options(-O1 -g1 -fno-omit-frame-pointer ${ssq_sanitizers})
  add_link_options(${ssq_sanitizers})
  if(SSQ_FUZZ)
    # Coverage for libFuzzer in every library; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
