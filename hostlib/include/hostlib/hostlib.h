#pragma once

// The host support library: what the reservation module calls in its sibling module.
#include "hostlib/blendedbitbtn.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/blendedshape.h"
#include "hostlib/catalogue.h"
#include "hostlib/mensagem.h"
#include "hostlib/strings.h"
#include "hostlib/translation.h"
