#pragma once
// The one password of the resource archive; the packer seals with it too.
inline constexpr char kZipPassword[] = "KT&~#53==!qd64";
