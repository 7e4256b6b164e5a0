// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "OutputFile.h"

#include "airfoil/ZopAirfoil.h"
#include "platform/gdi/CDC.h"

#include <QImage>

namespace cli {

int drawAirfoilPng(const ZopAirfoil& airfoil, const QString& path, const QString& size, const std::string& folder,
    const std::string& file)
{
    int width = 800;
    int height = 600;
    if ((!size.isEmpty() && !parseSize(size, width, height)) || !checkRasterSize(width, height))
        return Failed;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        CDC dc(&image);
        ZopAirfoil copy = airfoil;
        copy.Draw(&dc, CRect(0, 0, width, height), folder.c_str(), file.c_str());
    }
    return writeImage(path, image, "PNG") ? Ok : Failed;
}

} // namespace cli
