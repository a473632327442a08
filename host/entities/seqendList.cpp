#include "host/entities/seqendList.h"

#include "host/entities/entityHeader.h"

resbuf* entBuilder2D::seqend() { return entityHeader(ltEntProps(true), u"SEQEND"); }
