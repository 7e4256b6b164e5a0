#include "imaging/app/KivLeadAppContext.h"

KivLeadAppContext::~KivLeadAppContext() = default;
