# Options every target of the project's own code gets, for its C++ alone: windres, which
# compiles a Windows program's resources, takes none of them.
function(velkor_target_options target)
  # Sums are evaluated in the written order, never fused into multiply-adds.
  set(options -Wall -Wextra -Werror -ffp-contract=off)
  if(WIN32)
    # SSE arithmetic rounds every float like the 64-bit Linux build; x87 would not.
    list(APPEND options -msse2 -mfpmath=sse)
  endif()
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${options}>")
endfunction()
