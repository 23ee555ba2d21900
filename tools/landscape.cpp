#include "landscape.h"

#include <algorithm>
#include <cmath>

namespace {

struct Colour {
  float r, g, b;
};

Colour Mix(const Colour& a, const Colour& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float Clamp01(float t) { return std::min(1.0f, std::max(0.0f, t)); }

float SmoothStep(float edge0, float edge1, float x) {
  const float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

// Picture coordinates: x from 0 (left) to 1 (right), y from 0 (top) to 1 (bottom).
constexpr float SunX = 0.25f, SunY = 0.535f, SunRadius = 0.068f;
constexpr float MoonX = 0.63f, MoonY = 0.12f, MoonRadius = 0.05f;
constexpr float Horizon = 0.64f;

Colour Sky(float x, float y) {
  static const Colour zenith{22, 18, 54}, plum{64, 34, 78}, coral{122, 58, 58}, amber{146, 88, 44};
  Colour sky = y < 0.32f  ? Mix(zenith, plum, SmoothStep(0.0f, 0.32f, y))
               : y < 0.5f ? Mix(plum, coral, SmoothStep(0.32f, 0.5f, y))
                          : Mix(coral, amber, SmoothStep(0.5f, Horizon, y));
  // The glow around the sun warms its side of the sky; the far side stays cooler.
  const float dx = (x - SunX) * 0.7f, dy = y - SunY;
  const float glow = std::exp(-(dx * dx + dy * dy) / 0.03f);
  sky = Mix(sky, Colour{200, 130, 64}, 0.55f * glow);
  const float cool = SmoothStep(0.3f, 1.0f, x) * (1.0f - SmoothStep(0.4f, Horizon, y));
  return Mix(sky, Colour{29, 25, 64}, 0.35f * cool);
}

bool InDisc(float x, float y, float cx, float cy, float radius) {
  const float dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy < radius * radius;
}

bool InMoon(float x, float y) {
  // A crescent lit from the sun's side: the disc less a disc shifted away from the sun.
  return InDisc(x, y, MoonX, MoonY, MoonRadius) &&
         !InDisc(x, y, MoonX + 0.022f, MoonY - 0.014f, MoonRadius * 0.92f);
}

bool InStar(float x, float y) {
  static const float stars[][3] = {
      {0.52f, 0.06f, 0.005f}, {0.74f, 0.05f, 0.006f}, {0.93f, 0.08f, 0.007f},
      {0.84f, 0.14f, 0.005f}, {0.90f, 0.27f, 0.005f}, {0.46f, 0.17f, 0.005f},
      {0.70f, 0.22f, 0.004f}, {0.97f, 0.18f, 0.004f}, {0.36f, 0.05f, 0.004f},
  };
  for (const auto& star : stars) {
    if (InDisc(x, y, star[0], star[1], star[2])) return true;
  }
  return false;
}

struct Streak {
  float x0, x1, y, halfHeight;
};

// Thin clouds lit from below by the setting sun.
bool InCloud(float x, float y, float& shade) {
  static const Streak streaks[] = {
      {0.04f, 0.42f, 0.43f, 0.012f},  {0.16f, 0.56f, 0.475f, 0.009f},
      {0.30f, 0.70f, 0.385f, 0.010f}, {0.00f, 0.20f, 0.345f, 0.008f},
      {0.10f, 0.34f, 0.56f, 0.007f},
  };
  for (const Streak& s : streaks) {
    const float cx = std::clamp(x, s.x0, s.x1);
    if (InDisc(x, y, cx, s.y, s.halfHeight)) {
      shade = Clamp01((y - (s.y - s.halfHeight)) / (2.0f * s.halfHeight));
      return true;
    }
  }
  return false;
}

struct Peak {
  float x, y, slope;
};

// A range of faceted peaks: the ridge is the highest of the peaks' straight flanks. Each peak
// splits along a line from its summit into a face lit from the sun's side and a face in shadow.
template <int N>
bool InRange(const Peak (&peaks)[N], float x, float y, bool& lit, float& belowSummit) {
  const Peak* top = nullptr;
  float ridge = 2.0f;
  for (const Peak& p : peaks) {
    const float height = p.y + p.slope * std::fabs(x - p.x);
    if (height < ridge) {
      ridge = height;
      top = &p;
    }
  }
  if (y < ridge) return false;
  lit = x < top->x + (y - top->y) * 0.45f;
  belowSummit = y - top->y;
  return true;
}

const Peak FarPeaks[] = {
    {0.04f, 0.565f, 0.9f}, {0.22f, 0.545f, 1.1f}, {0.44f, 0.44f, 1.2f},
    {0.60f, 0.35f, 1.3f},  {0.79f, 0.19f, 1.35f}, {0.99f, 0.28f, 1.2f},
};
const Peak MidPeaks[] = {
    {-0.02f, 0.60f, 0.6f}, {0.14f, 0.595f, 0.9f}, {0.33f, 0.625f, 0.8f}, {0.53f, 0.52f, 1.0f},
    {0.70f, 0.47f, 1.1f},  {0.88f, 0.54f, 1.0f},  {1.04f, 0.49f, 1.0f},
};

float NearHills(float x) {
  return 0.735f - 0.05f * x + 0.014f * std::sin(x * 11.0f + 0.6f) + 0.006f * std::sin(x * 29.0f);
}

float Shore(float x) { return 1.02f - 0.30f * SmoothStep(0.42f, 1.0f, x); }

// A pine on the shore: three stacked tiers over a short trunk.
bool InPine(float x, float y, float baseX, float baseY, float height) {
  const float top = baseY - height;
  if (y < top || y > baseY) return false;
  const float t = (y - top) / height;
  const float dx = std::fabs(x - baseX);
  if (t > 0.86f) return dx < height * 0.035f;
  const float tiers = t / 0.86f * 3.0f;
  const float tier = std::floor(tiers);
  const float within = tiers - tier;
  const float halfWidth = height * (0.09f + 0.06f * tier) * (0.25f + 0.75f * within);
  return dx < halfWidth;
}

bool InForest(float x, float y) {
  static const float pines[][2] = {
      {0.64f, 0.11f}, {0.72f, 0.16f}, {0.79f, 0.13f}, {0.86f, 0.21f}, {0.93f, 0.17f},
  };
  for (const auto& pine : pines) {
    if (InPine(x, y, pine[0], Shore(pine[0]) + 0.02f, pine[1])) return true;
  }
  return false;
}

// The lake mirrors the glowing horizon, darkening towards the viewer, with a broken path of
// sunlight on the water below the sun.
Colour Lake(float x, float y) {
  const float depth = SmoothStep(0.7f, 1.0f, y);
  Colour water = Mix(Colour{104, 57, 52}, Colour{27, 21, 53}, depth);
  const float pathWidth = 0.05f + 0.12f * (y - 0.7f);
  const float across = std::fabs(x - SunX) / pathWidth;
  const float ripple = 0.5f + 0.5f * std::sin(y * 260.0f + std::sin(x * 40.0f) * 2.0f);
  if (across < 1.0f && ripple > 0.55f + 0.35f * across) {
    water = Mix(water, Colour{250, 190, 120}, 0.85f - 0.4f * depth);
  }
  return water;
}

Colour Sample(float x, float y) {
  float shade = 0.0f, belowSummit = 0.0f;
  bool lit = false;
  if (InForest(x, y) || y > Shore(x)) return Colour{36, 24, 48};
  if (y > NearHills(x) + 0.035f) return Lake(x, y);
  if (y > NearHills(x)) {
    // Rim light along the hilltops facing the sun.
    const float rim = 1.0f - SmoothStep(0.0f, 0.008f, y - NearHills(x));
    return Mix(Colour{42, 26, 54}, Colour{110, 62, 58}, rim * (1.0f - x * 0.6f));
  }
  if (InRange(MidPeaks, x, y, lit, belowSummit)) {
    return lit ? Colour{80, 46, 82} : Colour{56, 34, 72};
  }
  if (InRange(FarPeaks, x, y, lit, belowSummit)) {
    const float snowLine = 0.075f + 0.012f * std::fabs(std::sin(x * 70.0f));
    if (belowSummit < snowLine && y < 0.42f) {
      return lit ? Colour{196, 160, 164} : Colour{104, 92, 128};
    }
    return lit ? Colour{112, 70, 100} : Colour{76, 54, 96};
  }
  if (InDisc(x, y, SunX, SunY, SunRadius)) return Colour{255, 226, 150};
  if (InCloud(x, y, shade)) return Mix(Colour{60, 32, 60}, Colour{148, 82, 69}, shade);
  if (InMoon(x, y)) return Colour{206, 198, 180};
  if (InStar(x, y)) return Colour{190, 186, 210};
  return Sky(x, y);
}

}  // namespace

std::vector<std::uint8_t> LandscapePaint() {
  // Four by four samples a pixel give every edge a smooth, anti-aliased step, so the picture
  // stays clean when the cube magnifies it.
  constexpr int Grid = 4;
  std::vector<std::uint8_t> pixels(LandscapeBytes);
  for (int row = 0; row < LandscapeSize; ++row) {
    for (int column = 0; column < LandscapeSize; ++column) {
      Colour sum{0, 0, 0};
      for (int sy = 0; sy < Grid; ++sy) {
        for (int sx = 0; sx < Grid; ++sx) {
          const Colour c = Sample((column + (sx + 0.5f) / Grid) / LandscapeSize,
                                  (row + (sy + 0.5f) / Grid) / LandscapeSize);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      std::uint8_t* out = &pixels[(row * LandscapeSize + column) * 3];
      const float scale = 1.0f / (Grid * Grid);
      out[0] = static_cast<std::uint8_t>(std::lround(std::min(255.0f, sum.r * scale)));
      out[1] = static_cast<std::uint8_t>(std::lround(std::min(255.0f, sum.g * scale)));
      out[2] = static_cast<std::uint8_t>(std::lround(std::min(255.0f, sum.b * scale)));
    }
  }
  return pixels;
}
