// The scene's header brings windows.h, which must come before OpenGL's: they define APIENTRY
// only where nothing has yet.
#include "support/mesa_peer.h"

#include <cstdio>

#include <GL/osmesa.h>

namespace {

constexpr float DegreesPerRadian = 57.2957795f;

// Direct3D's projection, made to draw the same pixels under OpenGL's rules: depth clipped to
// [-w, w] instead of [0, w] (z' = 2z - w), and the picture moved by half a pixel right and up,
// since OpenGL samples pixel (i, j) at (i + 0.5, j + 0.5) where Direct3D samples (i, j).
// Row vectors, as the program's matrices are: v' = v * P * remap.
Matrix4 ProjectionForOpenGl(const Matrix4& projection, int width, int height) {
  Matrix4 remap = {};
  remap.m[0][0] = 1.0f;
  remap.m[1][1] = 1.0f;
  remap.m[2][2] = 2.0f;
  remap.m[3][3] = 1.0f;
  remap.m[3][0] = 1.0f / static_cast<float>(width);
  remap.m[3][1] = -1.0f / static_cast<float>(height);
  remap.m[3][2] = -1.0f;
  Matrix4 result;
  MatMultiply(result, projection, remap);
  return result;
}

void Colour4(GLenum light, GLenum name, const D3DCOLORVALUE& colour) {
  const GLfloat value[4] = {colour.r, colour.g, colour.b, colour.a};
  glLightfv(light, name, value);
}

void LightSetUp() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  // Direct3D's ambient render state starts black; OpenGL's global ambient does not.
  const GLfloat black[4] = {0, 0, 0, 0};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  Colour4(GL_LIGHT0, GL_DIFFUSE, SceneLight.Diffuse);
  Colour4(GL_LIGHT0, GL_AMBIENT, SceneLight.Ambient);
  // Specular lighting is off in the program's device, so none of it may reach the picture.
  glLightfv(GL_LIGHT0, GL_SPECULAR, black);
  glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, SceneLight.Attenuation0);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, SceneLight.Attenuation1);
  glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, SceneLight.Attenuation2);

  const D3DMATERIAL8& material = SceneMaterial;
  const GLfloat diffuse[4] = {material.Diffuse.r, material.Diffuse.g, material.Diffuse.b,
                              material.Diffuse.a};
  const GLfloat ambient[4] = {material.Ambient.r, material.Ambient.g, material.Ambient.b,
                              material.Ambient.a};
  const GLfloat emissive[4] = {material.Emissive.r, material.Emissive.g, material.Emissive.b,
                               material.Emissive.a};
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emissive);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
}

// Linear filters, wrapped, and the stage's colour the texel times the lit colour times four.
void TextureSetUp(const Picture& picture) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, PictureSize, PictureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
               picture.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
  glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 4.0f);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
}

}  // namespace

MesaPeer::MesaPeer(int width, int height, const Picture& picture)
    : width_(width), height_(height), colour_(static_cast<size_t>(width) * height) {
  // Colour as 0xAARRGGBB words, a 32-bit depth buffer as the program's device picks first.
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_BGRA, 32, 0, 0, nullptr);
  if (!context || !OSMesaMakeCurrent(context, colour_.data(), GL_UNSIGNED_BYTE, width, height)) {
    std::fprintf(stderr, "MesaPeer: OSMesa cannot make a %dx%d context\n", width, height);
    if (context) OSMesaDestroyContext(context);
    return;
  }
  context_ = context;
  // Rows top first, as Direct3D's back buffer has them.
  OSMesaPixelStore(OSMESA_Y_UP, 0);
  SceneSetUp(picture);
}

MesaPeer::~MesaPeer() {
  if (context_) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void MesaPeer::SceneSetUp(const Picture& picture) {
  glViewport(0, 0, width_, height_);
  // Clockwise culling: OpenGL's back faces are the ones that look clockwise on the screen.
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glDisable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);

  Matrix4 projection;
  MatPerspectiveRH(projection, ProjectionAngle, ProjectionAspect, ProjectionNear, ProjectionFar);
  const Matrix4 adjusted = ProjectionForOpenGl(projection, width_, height_);
  glMatrixMode(GL_PROJECTION);
  // OpenGL reads the array column by column: the row-vector matrix arrives transposed, which is
  // what column vectors need.
  glLoadMatrixf(&adjusted.m[0][0]);
  glMatrixMode(GL_MODELVIEW);

  LightSetUp();
  TextureSetUp(picture);

  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(CubeVertex), &CubeVertices[0].x);
  glNormalPointer(GL_FLOAT, sizeof(CubeVertex), &CubeVertices[0].nx);
  glTexCoordPointer(2, GL_FLOAT, sizeof(CubeVertex), &CubeVertices[0].tu);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
}

void MesaPeer::FrameDraw(float angle) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Matrix4 view;
  MatLookAtRH(view, CameraEye, CameraTarget, CameraUp);
  glLoadMatrixf(&view.m[0][0]);
  // The light's position is given in the world, so it goes through the view alone.
  const GLfloat lightPosition[4] = {SceneLight.Position.x, SceneLight.Position.y,
                                    SceneLight.Position.z, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  // The program turns the cube about X, then Y, then Z, then moves it: with column vectors the
  // last of these is multiplied first.
  glTranslatef(-0.5f, -0.5f, -3.5f);
  const float degrees = angle * DegreesPerRadian;
  glRotatef(degrees, 0, 0, 1);
  glRotatef(degrees, 0, 1, 0);
  glRotatef(degrees, 1, 0, 0);
  glDrawArrays(GL_TRIANGLES, 0, CubeVertexCount);
  glFinish();
}

const char* MesaPeer::Renderer() const {
  return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

std::vector<uint32_t> MesaPeer::Pixels() const {
  std::vector<uint32_t> pixels(colour_.size());
  for (size_t i = 0; i < colour_.size(); ++i) pixels[i] = colour_[i] & 0x00FFFFFF;
  return pixels;
}
