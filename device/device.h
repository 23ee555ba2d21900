// The graphics device: the Direct3D object and the one device the program draws with.
#ifndef VELKOR_DEVICE_DEVICE_H
#define VELKOR_DEVICE_DEVICE_H

#include "device/direct3d.h"

// Null until the device has been created, and again after shutdown.
extern IDirect3DDevice8* Device;

#endif
