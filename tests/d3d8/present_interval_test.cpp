// How many refreshes each present waits for, as the presentation parameters ask: windowed,
// only the COPY_VSYNC swap effect waits, for one; full screen, the presentation interval says.
#include <gtest/gtest.h>

#include <utility>

#include "platform/d3d8/objects/present_pacing.h"

namespace {

TEST(PresentIntervalTest, RefreshesPerPresentFollowTheParameters) {
  D3DPRESENT_PARAMETERS parameters = {};
  parameters.Windowed = TRUE;
  for (const auto& [effect, refreshes] :
       {std::pair{D3DSWAPEFFECT_COPY_VSYNC, 1u}, std::pair{D3DSWAPEFFECT_COPY, 0u},
        std::pair{D3DSWAPEFFECT_DISCARD, 0u}, std::pair{D3DSWAPEFFECT_FLIP, 0u}}) {
    parameters.SwapEffect = effect;
    EXPECT_EQ(d3d8sw::PresentRefreshCount(parameters), refreshes) << "swap effect " << effect;
  }
  parameters.Windowed = FALSE;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  const std::pair<UINT, UINT> intervals[] = {
      {D3DPRESENT_INTERVAL_DEFAULT, 1}, {D3DPRESENT_INTERVAL_ONE, 1},
      {D3DPRESENT_INTERVAL_TWO, 2},     {D3DPRESENT_INTERVAL_THREE, 3},
      {D3DPRESENT_INTERVAL_FOUR, 4},    {D3DPRESENT_INTERVAL_IMMEDIATE, 0}};
  for (const auto& [interval, refreshes] : intervals) {
    parameters.FullScreen_PresentationInterval = interval;
    EXPECT_EQ(d3d8sw::PresentRefreshCount(parameters), refreshes) << "interval " << interval;
  }
}

}  // namespace
