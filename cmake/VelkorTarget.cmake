# Options every target of the project's own code gets.
function(velkor_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
    # Sums are evaluated in the written order, never fused into multiply-adds.
    -ffp-contract=off)
  if(WIN32)
    # SSE arithmetic rounds every float like the 64-bit Linux build; x87 would not.
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()
