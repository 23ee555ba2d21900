#include "platform/d3d8/pipeline/vertex/lighting.h"

#include <algorithm>
#include <cmath>

#include "platform/d3d8/pipeline/vertex/transform.h"

namespace d3d8sw {

namespace {

// A colour's channels as lighting adds and scales them: channel by channel, alpha too.
struct Colour {
  float r, g, b, a;
};

Colour operator+(const Colour& x, const Colour& y) {
  return {x.r + y.r, x.g + y.g, x.b + y.b, x.a + y.a};
}
Colour operator*(const Colour& x, const Colour& y) {
  return {x.r * y.r, x.g * y.g, x.b * y.b, x.a * y.a};
}
Colour operator*(const Colour& x, float scale) {
  return {x.r * scale, x.g * scale, x.b * scale, x.a * scale};
}
Colour& operator+=(Colour& x, const Colour& y) { return x = x + y; }

Colour ColourFrom(const D3DCOLORVALUE& c) { return {c.r, c.g, c.b, c.a}; }

Colour ColourFrom(D3DCOLOR colour) {
  auto channel = [colour](int shift) {
    return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
  };
  return {channel(16), channel(8), channel(0), channel(24)};
}

float Saturate(float x) { return std::min(std::max(x, 0.0f), 1.0f); }

// A vertex colour as the pipeline carries it: b, g, r, a.
void ColourStore(const Colour& c, float out[4]) {
  out[0] = c.b;
  out[1] = c.g;
  out[2] = c.r;
  out[3] = c.a;
}

float VectorDot(const float a[3], const float b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void VectorNormalize(float v[3]) {
  const float length = std::sqrt(VectorDot(v, v));
  if (length > 0.0f) {
    for (int i = 0; i < 3; ++i) v[i] /= length;
  }
}

// The colour a material source names for this vertex: the vertex's own colour when it has the
// one asked for and vertex colours are allowed, the material's otherwise.
Colour MaterialColour(const LightingSetup& setup, const VertexLayout& layout,
                      const FetchedVertex& vertex, DWORD source, const D3DCOLORVALUE& material) {
  if (setup.colourVertex && source == D3DMCS_COLOR1 && layout.hasDiffuse) {
    return ColourFrom(vertex.diffuse);
  }
  if (setup.colourVertex && source == D3DMCS_COLOR2 && layout.hasSpecular) {
    return ColourFrom(vertex.specular);
  }
  return ColourFrom(material);
}

CameraLight CameraLightBuild(const D3DLIGHT8& light, const D3DMATRIX& view) {
  CameraLight out;
  out.type = light.Type;
  out.diffuse = light.Diffuse;
  out.specular = light.Specular;
  out.ambient = light.Ambient;
  const float position[3] = {light.Position.x, light.Position.y, light.Position.z};
  const float direction[3] = {light.Direction.x, light.Direction.y, light.Direction.z};
  // Lights are given in world space; the view matrix current at draw time takes them to the
  // camera.
  AffinePointTransform(view, position, out.position);
  DirectionTransform(view, direction, out.spotAxis);
  VectorNormalize(out.spotAxis);
  for (int i = 0; i < 3; ++i) out.toLight[i] = -out.spotAxis[i];
  out.range = light.Range;
  out.attenuation[0] = light.Attenuation0;
  out.attenuation[1] = light.Attenuation1;
  out.attenuation[2] = light.Attenuation2;
  out.cosHalfTheta = std::cos(light.Theta * 0.5f);
  out.cosHalfPhi = std::cos(light.Phi * 0.5f);
  out.falloff = light.Falloff;
  return out;
}

// How much of a point or spot light reaches a vertex at `distance`: nothing at all beyond the
// range, not even the light's ambient part.
float Attenuation(const CameraLight& light, float distance) {
  if (distance > light.range) return 0.0f;
  const float denominator = light.attenuation[0] + light.attenuation[1] * distance +
                            light.attenuation[2] * distance * distance;
  // All three factors zero is undefined; no attenuation is the least surprising answer.
  return denominator > 0.0f ? 1.0f / denominator : 1.0f;
}

float SpotFactor(const CameraLight& light, const float toLight[3]) {
  const float rho = -VectorDot(toLight, light.spotAxis);
  if (rho > light.cosHalfTheta) return 1.0f;
  if (rho <= light.cosHalfPhi) return 0.0f;
  const float t = (rho - light.cosHalfPhi) / (light.cosHalfTheta - light.cosHalfPhi);
  return light.falloff == 1.0f ? t : std::pow(t, light.falloff);
}

// The point being lit, in camera space.
struct LitPoint {
  const float* position;
  float normal[3];    // unit length when the setup normalises normals
  float toViewer[3];  // unit
};

LitPoint LitPointAt(const LightingSetup& setup, const float position[3], const float normal[3]) {
  LitPoint point = {position, {normal[0], normal[1], normal[2]}, {0.0f, 0.0f, -1.0f}};
  if (setup.normalizeNormals) VectorNormalize(point.normal);
  // Without a local viewer, every vertex is seen straight along the camera's axis.
  if (setup.localViewer) {
    for (int i = 0; i < 3; ++i) point.toViewer[i] = -position[i];
    VectorNormalize(point.toViewer);
  }
  return point;
}

// What the lights add up to at a point, before the material's colours weigh them.
struct LightSums {
  Colour ambient;
  Colour diffuse;
  Colour specular;
};

// Adds one light's share. Without a normal a vertex gets only the ambient part.
void LightAdd(const LightingSetup& setup, const CameraLight& light, bool hasNormal,
              const LitPoint& point, LightSums& sums) {
  float toLight[3];
  float reach = 1.0f;  // attenuation times spot factor
  if (light.type == D3DLIGHT_DIRECTIONAL) {
    for (int i = 0; i < 3; ++i) toLight[i] = light.toLight[i];
  } else {
    for (int i = 0; i < 3; ++i) toLight[i] = light.position[i] - point.position[i];
    const float distance = std::sqrt(VectorDot(toLight, toLight));
    reach = Attenuation(light, distance);
    if (reach == 0.0f) return;
    VectorNormalize(toLight);
    if (light.type == D3DLIGHT_SPOT) reach *= SpotFactor(light, toLight);
  }
  sums.ambient += ColourFrom(light.ambient) * reach;
  if (!hasNormal) return;
  const float nDotL = VectorDot(point.normal, toLight);
  if (nDotL <= 0.0f) return;
  sums.diffuse += ColourFrom(light.diffuse) * (nDotL * reach);
  if (!setup.specularEnabled) return;
  float half[3];
  for (int i = 0; i < 3; ++i) half[i] = toLight[i] + point.toViewer[i];
  VectorNormalize(half);
  const float nDotH = VectorDot(point.normal, half);
  if (nDotH > 0.0f) {
    sums.specular += ColourFrom(light.specular) * (std::pow(nDotH, setup.material.Power) * reach);
  }
}

// Unlit: the vertex's own colours, white and black when it has none.
void VertexColoursUnlit(const VertexLayout& layout, const FetchedVertex& vertex, float diffuse[4],
                        float specular[4]) {
  ColourStore(layout.hasDiffuse ? ColourFrom(vertex.diffuse) : Colour{1.0f, 1.0f, 1.0f, 1.0f},
              diffuse);
  ColourStore(layout.hasSpecular ? ColourFrom(vertex.specular) : Colour{0.0f, 0.0f, 0.0f, 0.0f},
              specular);
}

}  // namespace

LightingSetup LightingSetupBuild(const PipelineState& state) {
  LightingSetup setup;
  const DWORD* rs = state.renderStates;
  setup.enabled = rs[D3DRS_LIGHTING] != FALSE;
  for (const LightSlot& slot : state.lights) {
    if (slot.enabled) setup.lights[setup.lightCount++] = CameraLightBuild(slot.light, state.view);
  }
  const Colour ambient = ColourFrom(rs[D3DRS_AMBIENT]);
  setup.globalAmbient = {ambient.r, ambient.g, ambient.b, ambient.a};
  setup.material = state.material;
  setup.diffuseSource = rs[D3DRS_DIFFUSEMATERIALSOURCE];
  setup.ambientSource = rs[D3DRS_AMBIENTMATERIALSOURCE];
  setup.specularSource = rs[D3DRS_SPECULARMATERIALSOURCE];
  setup.emissiveSource = rs[D3DRS_EMISSIVEMATERIALSOURCE];
  setup.colourVertex = rs[D3DRS_COLORVERTEX] != FALSE;
  setup.specularEnabled = rs[D3DRS_SPECULARENABLE] != FALSE;
  setup.localViewer = rs[D3DRS_LOCALVIEWER] != FALSE;
  setup.normalizeNormals = rs[D3DRS_NORMALIZENORMALS] != FALSE;
  return setup;
}

void VertexLight(const LightingSetup& setup, const VertexLayout& layout,
                 const FetchedVertex& vertex, const float position[3], const float normal[3],
                 float diffuse[4], float specular[4]) {
  if (!setup.enabled) {
    VertexColoursUnlit(layout, vertex, diffuse, specular);
    return;
  }
  const LitPoint point = LitPointAt(setup, position, normal);
  LightSums sums = {ColourFrom(setup.globalAmbient), {}, {}};
  for (int l = 0; l < setup.lightCount; ++l) {
    LightAdd(setup, setup.lights[l], layout.hasNormal, point, sums);
  }
  const D3DMATERIAL8& m = setup.material;
  const Colour cd = MaterialColour(setup, layout, vertex, setup.diffuseSource, m.Diffuse);
  const Colour ca = MaterialColour(setup, layout, vertex, setup.ambientSource, m.Ambient);
  const Colour cs = MaterialColour(setup, layout, vertex, setup.specularSource, m.Specular);
  const Colour ce = MaterialColour(setup, layout, vertex, setup.emissiveSource, m.Emissive);
  const Colour lit = ca * sums.ambient + cd * sums.diffuse + ce;
  const Colour shine = cs * sums.specular;
  ColourStore({Saturate(lit.r), Saturate(lit.g), Saturate(lit.b), Saturate(cd.a)}, diffuse);
  ColourStore({Saturate(shine.r), Saturate(shine.g), Saturate(shine.b), 0.0f}, specular);
}

}  // namespace d3d8sw
