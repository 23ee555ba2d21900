#include "platform/d3d8/lighting.h"

#include <algorithm>
#include <cmath>

#include "platform/d3d8/transform.h"

namespace d3d8sw {

namespace {

struct Rgba {
  float r, g, b, a;
};

Rgba FromColourValue(const D3DCOLORVALUE& c) { return {c.r, c.g, c.b, c.a}; }

// A D3DCOLOR as b, g, r, a in [0, 1].
void ColourUnpack(D3DCOLOR colour, float out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<float>((colour >> (8 * i)) & 0xFF) / 255.0f;
}

float Dot(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Normalize(float v[3]) {
  const float length = std::sqrt(Dot(v, v));
  if (length > 0.0f) {
    for (int i = 0; i < 3; ++i) v[i] /= length;
  }
}

float Saturate(float x) { return std::min(std::max(x, 0.0f), 1.0f); }

// The colour a material source names for this vertex: the vertex's own colour when it has the
// one asked for and vertex colours are allowed, the material's otherwise.
Rgba MaterialColour(const LightingSetup& setup, const VertexLayout& layout,
                    const FetchedVertex& vertex, DWORD source, const D3DCOLORVALUE& material) {
  float bgra[4];
  if (setup.colourVertex && source == D3DMCS_COLOR1 && layout.hasDiffuse) {
    ColourUnpack(vertex.diffuse, bgra);
    return {bgra[2], bgra[1], bgra[0], bgra[3]};
  }
  if (setup.colourVertex && source == D3DMCS_COLOR2 && layout.hasSpecular) {
    ColourUnpack(vertex.specular, bgra);
    return {bgra[2], bgra[1], bgra[0], bgra[3]};
  }
  return FromColourValue(material);
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
  TransformAffinePoint(view, position, out.position);
  TransformDirection(view, direction, out.spotAxis);
  Normalize(out.spotAxis);
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
  const float rho = -Dot(toLight, light.spotAxis);
  if (rho > light.cosHalfTheta) return 1.0f;
  if (rho <= light.cosHalfPhi) return 0.0f;
  const float t = (rho - light.cosHalfPhi) / (light.cosHalfTheta - light.cosHalfPhi);
  return light.falloff == 1.0f ? t : std::pow(t, light.falloff);
}

}  // namespace

LightingSetup LightingSetupBuild(const PipelineState& state) {
  LightingSetup setup;
  const DWORD* rs = state.renderStates;
  setup.enabled = rs[D3DRS_LIGHTING] != FALSE;
  for (const LightSlot& slot : state.lights) {
    if (slot.enabled) setup.lights[setup.lightCount++] = CameraLightBuild(slot.light, state.view);
  }
  float ambient[4];
  ColourUnpack(rs[D3DRS_AMBIENT], ambient);
  setup.globalAmbient = {ambient[2], ambient[1], ambient[0], ambient[3]};
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
    // Unlit: the vertex's own colours, white and black when it has none.
    if (layout.hasDiffuse) {
      ColourUnpack(vertex.diffuse, diffuse);
    } else {
      std::fill(diffuse, diffuse + 4, 1.0f);
    }
    if (layout.hasSpecular) {
      ColourUnpack(vertex.specular, specular);
    } else {
      std::fill(specular, specular + 4, 0.0f);
    }
    return;
  }

  const D3DMATERIAL8& material = setup.material;
  const Rgba cd = MaterialColour(setup, layout, vertex, setup.diffuseSource, material.Diffuse);
  const Rgba ca = MaterialColour(setup, layout, vertex, setup.ambientSource, material.Ambient);
  const Rgba cs = MaterialColour(setup, layout, vertex, setup.specularSource, material.Specular);
  const Rgba ce = MaterialColour(setup, layout, vertex, setup.emissiveSource, material.Emissive);

  float n[3] = {normal[0], normal[1], normal[2]};
  if (setup.normalizeNormals) Normalize(n);
  float toViewer[3] = {0.0f, 0.0f, -1.0f};
  if (setup.localViewer) {
    for (int i = 0; i < 3; ++i) toViewer[i] = -position[i];
    Normalize(toViewer);
  }

  Rgba ambient = FromColourValue(setup.globalAmbient);
  Rgba lit = {0, 0, 0, 0};
  Rgba shine = {0, 0, 0, 0};
  for (int l = 0; l < setup.lightCount; ++l) {
    const CameraLight& light = setup.lights[l];
    float toLight[3];
    float reach = 1.0f;  // attenuation times spot factor
    if (light.type == D3DLIGHT_DIRECTIONAL) {
      for (int i = 0; i < 3; ++i) toLight[i] = light.toLight[i];
    } else {
      for (int i = 0; i < 3; ++i) toLight[i] = light.position[i] - position[i];
      const float distance = std::sqrt(Dot(toLight, toLight));
      reach = Attenuation(light, distance);
      if (reach == 0.0f) continue;
      Normalize(toLight);
      if (light.type == D3DLIGHT_SPOT) reach *= SpotFactor(light, toLight);
    }
    ambient.r += light.ambient.r * reach;
    ambient.g += light.ambient.g * reach;
    ambient.b += light.ambient.b * reach;
    if (!layout.hasNormal) continue;  // no normal: ambient and emissive only
    const float nDotL = Dot(n, toLight);
    if (nDotL <= 0.0f) continue;
    const float d = nDotL * reach;
    lit.r += light.diffuse.r * d;
    lit.g += light.diffuse.g * d;
    lit.b += light.diffuse.b * d;
    if (setup.specularEnabled) {
      float half[3];
      for (int i = 0; i < 3; ++i) half[i] = toLight[i] + toViewer[i];
      Normalize(half);
      const float nDotH = Dot(n, half);
      if (nDotH > 0.0f) {
        const float s = std::pow(nDotH, material.Power) * reach;
        shine.r += light.specular.r * s;
        shine.g += light.specular.g * s;
        shine.b += light.specular.b * s;
      }
    }
  }

  diffuse[0] = Saturate(ca.b * ambient.b + cd.b * lit.b + ce.b);
  diffuse[1] = Saturate(ca.g * ambient.g + cd.g * lit.g + ce.g);
  diffuse[2] = Saturate(ca.r * ambient.r + cd.r * lit.r + ce.r);
  diffuse[3] = Saturate(cd.a);
  specular[0] = Saturate(cs.b * shine.b);
  specular[1] = Saturate(cs.g * shine.g);
  specular[2] = Saturate(cs.r * shine.r);
  specular[3] = 0.0f;
}

}  // namespace d3d8sw
