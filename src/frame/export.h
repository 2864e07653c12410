// The one export macro of libvexal.

#ifndef VEXAL_FRAME_EXPORT_H_
#define VEXAL_FRAME_EXPORT_H_

#if defined(_WIN32)
#define VEXAL_EXPORT extern "C" __declspec(dllexport)
#else
#define VEXAL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#endif  // VEXAL_FRAME_EXPORT_H_
