#pragma once

// The host support library: what the reservation module calls in its sibling module.
#include "collaborators/hostlib/blendedbitbtn.h"
#include "collaborators/hostlib/blendedbutton.h"
#include "collaborators/hostlib/blendedshape.h"
#include "collaborators/hostlib/catalogue.h"
#include "collaborators/hostlib/mensagem.h"
#include "collaborators/hostlib/strings.h"
#include "collaborators/hostlib/translation.h"
