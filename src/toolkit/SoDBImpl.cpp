#include "SoDBImpl.h"

int SoDBImpl::m_isZemba = 0;
