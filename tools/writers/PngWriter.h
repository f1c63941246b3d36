// PNG pictures (screenshots, contact sheets): 8-bit RGB, or a colour table
// when the picture has at most 256 colours.
#pragma once
#include <filesystem>
#include <vector>

#include "platform/FileFault.h"
#include "tools/writers/BmpWriter.h"

// pixels: width x height, top row first. False (with a message on standard
// error, and in fault the file and the system's reason) when the file cannot
// be written; a failed write leaves no file.
bool Write_Png(const std::filesystem::path& path, int width, int height, const std::vector<Rgb>& pixels,
               file_fault* fault = nullptr);
