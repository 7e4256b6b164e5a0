// SPDX-License-Identifier: MIT
// Two-dimensional airfoil outlines: a Joukowski approximation, NACA 4-digit
// and 5-digit sections, or a coordinate file, made as a block of points and
// drawn over a grid. A plain value of five parameters; it owns no memory.
// Outlines come from malloc and the caller frees them with free. Parameters
// that make no outline (non-finite, nodes below 1 or above kMaxNodes,
// percentages outside their range) give a null outline, never a crash.
#pragma once

#include "airfoil/ZopLib_export.h"
#include "airfoil/ZopPoint2D.h"

#include <cstddef>

class CComboBox;
class CDC;
class CWnd;
class QWidget;
class KivParamList;
class ZopScanProgress;
struct CRect;

class ZOPLIB_EXPORT ZopAirfoil {
public:
    // The most points of an outline, computed or read (16 MiB of points).
    static constexpr int kMaxNodes = 1000000;
    // The largest coordinate file read (16 MiB).
    static constexpr std::size_t kMaxFileBytes = 16u << 20;

    ZopAirfoil();
    ZopAirfoil(int type, double camber, double position, double thickness, int nodes);
    ZopAirfoil& operator=(const ZopAirfoil& other) = default;
    ZopAirfoil(const ZopAirfoil& other) = default;

    void Set(int type, double camber, double position, double thickness, int nodes);

    // m_nodes points from malloc (after a file was read, the number read);
    // null when there is no outline (GetError tells why).
    ZopPoint2D* Make(const char* path);
    // The outline as a closed section, as airfoil tools exchange it: from
    // the trailing edge over the upper surface round the nose to the lower
    // trailing edge, both trailing-edge points present (a pointed trailing
    // edge is its first and last point), the Joukowski kind scaled to a
    // chord from 0 to 1, a file's points without the repeats its lines of
    // no point make. *count points from malloc; null when there is no
    // outline. Make's layout, which keeps one trailing-edge point of the
    // NACA kinds, is what drawing uses.
    ZopPoint2D* MakeSection(const char* path, int* count);
    // Why the last Make, MakeSection or ParsePlot of this thread gave no
    // outline ("line 12 holds a number that is not finite ...").
    static const char* GetError();

    // Clears wnd's client area and shows the grid and the outline there.
    void Draw(CWnd* wnd, const char* folder, const char* file);
    // The same picture on dc, whose client area is client (device pixels).
    void Draw(CDC* dc, const CRect& client, const char* folder, const char* file);
    // The outline as one closed polyline, 5000 logical units per chord, with
    // the pen selected in dc.
    void Preview(CDC* dc, const char* folder, const char* file);
    void DrawGrid(CDC* dc, int width, int height, int columns, int rows);

    // Fills combo and list with the coordinate files (*.DAT in any case) of
    // folder, which ends in a path separator, and selects the first item
    // that begins with select (item 0 when none does); 1 on success. progress,
    // when given, is told of every file as its title is read.
    static int DisplayAirfoilInfo(
        CComboBox* combo, const char* folder, const char* select, KivParamList* list, ZopScanProgress* progress);
    static int DisplayAirfoilInfo(CComboBox* combo, const char* folder, const char* select, KivParamList* list);
    // The listing behind DisplayAirfoilInfo without a combo box: the pairs
    // (file name, title) of folder's coordinate files appended to list, in
    // the order of the folder search; the number appended. owner goes to
    // progress->start.
    static int ListAirfoilFiles(const char* folder, KivParamList* list, ZopScanProgress* progress, QWidget* owner);
    // The title line of a coordinate file into title (256 bytes); always 0.
    static int GetAirfoilInfo(const char* path, char* title);

    // Reads the bytes of a coordinate file as ReadPlot does; count gets the
    // number of points when there are any. The block is the caller's.
    static ZopPoint2D* ParsePlot(const void* data, std::size_t size, int* count);

    int m_type;
    double m_camber;
    double m_position;
    double m_thickness;
    int m_nodes;

protected:
    ZopPoint2D* MakeJoukowski();
    ZopPoint2D* MakeNACA4();
    ZopPoint2D* MakeNACA5();
    ZopPoint2D* ReadPlot(const char* path, int* count);
    static void polar(ZopPoint2D* out, ZopPoint2D centre, double radius, double angle);
    static void thickness(double* out, double t, double x);

private:
    bool computable() const;
    // One station of the NACA kinds: front and back as Make places them.
    void naca4Station(double x, ZopPoint2D& front, ZopPoint2D& back) const;
    void naca5Station(double x, ZopPoint2D& front, ZopPoint2D& back) const;
    // station(i, front, back) for i = 1 … m_nodes / 2 of the NACA kind m_type.
    template <class Station> void forEachStation(const Station& station) const;
};
