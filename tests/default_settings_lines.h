// The settings file the launcher writes when no file exists yet: the ten
// catalogue keys with their defaults, in catalogue order, each ending in LF.
#pragma once

inline constexpr char kDefaultLines[] =
    "display_mode = 0\n"
    "resolution = 0\n"
    "smoothing = 1\n"
    "vsync = 0\n"
    "fullscreen = 1\n"
    "master_volume = 100\n"
    "invert_camera_x = 1\n"
    "invert_look_y = 1\n"
    "shadow_enhance = 0\n"
    "grumblets_stay_converted = 0\n";
