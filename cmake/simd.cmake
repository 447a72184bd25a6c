# Block kernels built once per instruction set. The baseline (SSE2) kernel is built for
# every target; on x86-64 an AVX2 and an AVX-512 kernel are built beside it, each source
# with its own flags, and the widest the processor runs is chosen at run time. The 32-bit
# build has the baseline kernel only.
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  set(FX_SIMD_WIDE_PATHS ON)
  add_compile_definitions(FX_SIMD_WIDE_PATHS=1)
else()
  set(FX_SIMD_WIDE_PATHS OFF)
  add_compile_definitions(FX_SIMD_WIDE_PATHS=0)
endif()

# Flags of each wide kernel. GCC's AVX-512 switch also enables FMA; it is switched off
# again so no fused multiply-add can appear (clang cannot keep AVX-512 without FMA, and
# -ffp-contract=off keeps it from fusing there). The 64-bit Windows compiler cannot
# align the stack to 32 bytes, so its assembler turns aligned vector moves (of spilled
# registers) into unaligned ones, which are as fast on aligned data.
set(FX_AVX2_FLAGS -mavx2)
set(FX_AVX512_FLAGS -mavx512f)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND FX_AVX512_FLAGS -mno-fma)
  # GCC 12's own AVX-512 conversion intrinsics start from a deliberately undefined
  # register and trip its uninitialised-value warnings. The same kernel source is built
  # with full warnings for the other instruction sets.
  list(APPEND FX_AVX512_FLAGS -Wno-uninitialized -Wno-maybe-uninitialized)
endif()
if(WIN32)
  list(APPEND FX_AVX2_FLAGS -Wa,-muse-unaligned-vector-move)
  list(APPEND FX_AVX512_FLAGS -Wa,-muse-unaligned-vector-move)
endif()

# Adds dir/block_kernel.cpp (the settings and the choice of path) and the kernel of each
# instruction set to `target`.
function(fx_add_block_kernels target dir)
  target_sources(${target} PRIVATE ${dir}/block_kernel.cpp ${dir}/block_kernel_sse2.cpp)
  if(FX_SIMD_WIDE_PATHS)
    target_sources(${target} PRIVATE ${dir}/block_kernel_avx2.cpp ${dir}/block_kernel_avx512.cpp)
    set_source_files_properties(${dir}/block_kernel_avx2.cpp
                                PROPERTIES COMPILE_OPTIONS "${FX_AVX2_FLAGS}")
    set_source_files_properties(${dir}/block_kernel_avx512.cpp
                                PROPERTIES COMPILE_OPTIONS "${FX_AVX512_FLAGS}")
  endif()
  target_link_libraries(${target} PUBLIC fx_simd)
endfunction()
