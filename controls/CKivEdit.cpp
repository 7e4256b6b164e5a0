// SPDX-License-Identifier: MIT
#include "controls/CKivEdit.h"

#include <cmath>
#include <cstdlib>

CKivEdit::CKivEdit(QWidget* parent) : CEdit(parent)
{
}

void CKivEdit::SetRange(double min, double max, double step, int decimals)
{
    m_dMin = min;
    m_dMax = max;
    m_dStep = step;
    m_nDecimals = decimals;
    m_bDouble = 1;
}

void CKivEdit::SetRange(int min, int max, int step)
{
    m_dMin = min;
    m_dMax = max;
    m_dStep = step;
    m_bDouble = 0;
    m_nDecimals = 0;
}

void CKivEdit::GetRange(double* min, double* max) const
{
    if (min)
        *min = m_dMin;
    if (max)
        *max = m_dMax;
}

void CKivEdit::GetRange(int* min, int* max) const
{
    if (min)
        *min = static_cast<int>(m_dMin);
    if (max)
        *max = static_cast<int>(m_dMax);
}

void CKivEdit::SetValue(int value, int update)
{
    if (m_bDouble) {
        SetValue(static_cast<double>(value), update);
        return;
    }
    m_dValue = value;
    if (update == 1) {
        SetWindowText(StringFormat("%.0lf", m_dValue).c_str());
        SetModify(TRUE);
    }
}

void CKivEdit::SetValue(double value, int update)
{
    if (!m_bDouble) {
        SetValue(static_cast<int>(value), update);
        return;
    }
    m_dValue = value;
    if (update == 1) {
        SetWindowText(StringFormat("%.*lf", m_nDecimals, m_dValue).c_str());
        SetModify(TRUE);
    }
}

void CKivEdit::Setup(double min, double max, double value, double step, int decimals)
{
    SetRange(min, max, step, decimals);
    SetValue(value, 1);
}

void CKivEdit::Setup(int min, int max, int value, int step)
{
    SetRange(min, max, step);
    SetValue(value, 1);
    Add(0, 1);
}

void CKivEdit::Add(int steps, int update)
{
    const CString text = GetWindowText();
    if (m_bDouble) {
        double v = std::atof(text.c_str()) + steps * m_dStep;
        if (v < m_dMin)
            v = m_dMin;
        if (v > m_dMax)
            v = m_dMax;
        SetValue(v, update);
        return;
    }
    int v = std::atoi(text.c_str()) + static_cast<int>(m_dStep) * steps;
    if (v < m_dMin)
        v = static_cast<int>(m_dMin);
    else if (v > m_dMax)
        v = static_cast<int>(m_dMax);
    SetValue(v, update);
}

double CKivEdit::GetDouble()
{
    Add(0, 0);
    return m_dValue;
}

int CKivEdit::GetInteger()
{
    Add(0, 0);
    return static_cast<int>(std::floor(m_dValue));
}

void CKivEdit::OnKillFocus(QWidget* newFocus)
{
    CEdit::OnKillFocus(newFocus);
    Add(0, 1);
}
