#include <cstdio>

#include "scene/scene.h"

IDirect3DTexture8* CubeTexture = nullptr;
D3DLOCKED_RECT CubeTextureLock = {};

namespace {

constexpr char ErrorCaption[] = "Error";
// Raw 24-bit RGB, no header, top row first.
constexpr char CubeTextureFile[] = "mad040.raw";
constexpr UINT CubeTextureSize = 256;
constexpr DWORD SourcePixelBytes = 3;
constexpr DWORD SourceRowBytes = CubeTextureSize * SourcePixelBytes;

IDirect3DTexture8* TextureFailure(const char* message) {
  MessageBoxA(nullptr, message, ErrorCaption, MB_OK);
  return nullptr;
}

// Red, green, blue become the texture's in-memory blue, green, red, opaque alpha.
void RowConvert(BYTE* destination, const BYTE* source) {
  for (UINT x = 0; x < CubeTextureSize; ++x) {
    destination[0] = source[2];
    destination[1] = source[1];
    destination[2] = source[0];
    destination[3] = 0xFF;
    destination += 4;
    source += SourcePixelBytes;
  }
}

void StageSetup() {
  Device->SetTexture(0, CubeTexture);
  Device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  Device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  // Texture times lit colour, times four, saturated.
  Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE4X);
  Device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  Device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
}

}  // namespace

IDirect3DTexture8* TextureLoad() {
  if (FAILED(Device->CreateTexture(CubeTextureSize, CubeTextureSize, 0, 0, D3DFMT_A8R8G8B8,
                                   D3DPOOL_MANAGED, &CubeTexture))) {
    return TextureFailure("Failed to create texture");
  }
  CubeTexture->LockRect(0, &CubeTextureLock, nullptr, 0);
  if (CubeTextureLock.pBits == nullptr) return TextureFailure("Failed to lock texture");

  HANDLE file = CreateFileA(CubeTextureFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    char message[sizeof "Missing file: " + sizeof CubeTextureFile];
    std::snprintf(message, sizeof message, "Missing file: %s", CubeTextureFile);
    return TextureFailure(message);
  }
  BYTE* row = static_cast<BYTE*>(LocalAlloc(LMEM_ZEROINIT, SourceRowBytes));
  if (row == nullptr) return TextureFailure("Out of memory");

  // A short file or a read error leaves the row buffer as the last read left it, so the rows
  // after it repeat that row.
  BYTE* destination = static_cast<BYTE*>(CubeTextureLock.pBits);
  for (UINT y = 0; y < CubeTextureSize; ++y) {
    DWORD bytesRead = 0;
    ReadFile(file, row, SourceRowBytes, &bytesRead, nullptr);
    RowConvert(destination, row);
    destination += CubeTextureLock.Pitch;
  }

  LocalFree(row);
  CloseHandle(file);
  CubeTexture->UnlockRect(0);
  StageSetup();
  return CubeTexture;
}
