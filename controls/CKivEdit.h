// SPDX-License-Identifier: MIT
// A numeric edit: a range, a step and, in double mode, decimals. Reading the
// value re-parses and clamps the text; leaving the control rewrites the
// text in canonical form.
#pragma once

#include "core/KivCtrl_export.h"
#include "platform/widgets/CEdit.h"

class KIVCTRL_EXPORT CKivEdit : public CEdit {
public:
    explicit CKivEdit(QWidget* parent = nullptr);

    void SetRange(double min, double max, double step, int decimals);
    void SetRange(int min, int max, int step);
    void GetRange(double* min, double* max) const;
    void GetRange(int* min, int* max) const;
    void SetValue(int value, int update);
    void SetValue(double value, int update);
    void Setup(double min, double max, double value, double step, int decimals);
    void Setup(int min, int max, int value, int step);
    void Add(int steps, int update);
    double GetDouble();
    int GetInteger();
    int IsDouble() const { return m_bDouble; }

protected:
    void OnKillFocus(QWidget* newFocus) override;

private:
    double m_dMin = 0;
    double m_dMax = 100;
    double m_dValue = 0;
    double m_dStep = 0.01;
    int m_bDouble = 0;
    int m_nDecimals = 2;
};
