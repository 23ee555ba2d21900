#include "device/device.h"

IDirect3DDevice8* Device = nullptr;
