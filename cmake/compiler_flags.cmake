# Flags for every target: warnings, and floating point that gives the same bits on every
# build (no fused multiply-adds, SSE2 rather than x87 on 32-bit x86).
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Werror -ffp-contract=off)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  # Hosts may call in with a 4-byte aligned stack; realign where SSE needs more.
  add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

if(WIN32)
  # Self-contained binaries: the C and C++ runtimes are linked in, so a DLL imports only
  # Windows system libraries and a test program runs without a runtime beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(FX_SANITIZE)
  set(FX_SANITIZER_FLAGS -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  add_compile_options(${FX_SANITIZER_FLAGS})
  add_link_options(${FX_SANITIZER_FLAGS})
endif()

if(FX_TSAN)
  set(FX_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${FX_TSAN_FLAGS})
  add_link_options(${FX_TSAN_FLAGS})
endif()

if(FX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FX_FUZZ needs clang (libFuzzer): use the linux-fuzz preset")
  endif()
  # Everything the fuzzers link is instrumented for coverage and checked by AddressSanitizer
  # and UndefinedBehaviorSanitizer; the fuzzer targets add libFuzzer's main.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
endif()
