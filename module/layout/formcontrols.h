#pragma once

#include "framework/controls.h"
#include "hostlib/hostlib.h"

// The screen's controls, with the class and name the layout gives each. The form holds every one
// as a named member bound to the layout's control when the form is built, so a control that the
// layout and the code name differently does not compile.
#define TFRMINCLUSAORESERVA_CONTROLS(CONTROL)                                                      \
    CONTROL(Controls::TShape, Shape1)                                                              \
    CONTROL(TBlendedShape, BlendedShape2)                                                          \
    CONTROL(TBlendedShape, BlendedShape1)                                                          \
    CONTROL(TBlendedShape, blsKeyBoard)                                                            \
    CONTROL(TBlendedShape, BlendedShape9)                                                          \
    CONTROL(TBlendedShape, BlendedShape6)                                                          \
    CONTROL(TBlendedShape, BlendedShape7)                                                          \
    CONTROL(TBlendedShape, BlendedShape8)                                                          \
    CONTROL(TBlendedShape, BlendedShape5)                                                          \
    CONTROL(TBlendedShape, BlendedShape4)                                                          \
    CONTROL(TBlendedShape, BlendedShape3)                                                          \
    CONTROL(Controls::TLabel, lblCabec)                                                            \
    CONTROL(Controls::TLabel, lblDsNome)                                                           \
    CONTROL(Controls::TLabel, lblDsData)                                                           \
    CONTROL(Controls::TLabel, lblDsHrIni)                                                          \
    CONTROL(Controls::TLabel, lblDsHrFin)                                                          \
    CONTROL(Controls::TLabel, lblDsNrTelResMesa)                                                   \
    CONTROL(Controls::TLabel, lblDsNrPesMesa)                                                      \
    CONTROL(Controls::TLabel, lblDsReserv)                                                         \
    CONTROL(Controls::TLabel, lblNome)                                                             \
    CONTROL(Controls::TLabel, lblDtResMesa)                                                        \
    CONTROL(Controls::TLabel, lblHrIni)                                                            \
    CONTROL(Controls::TLabel, lblHrFim)                                                            \
    CONTROL(Controls::TLabel, lblNrTelResMesa)                                                     \
    CONTROL(Controls::TLabel, lblNrPesMesa)                                                        \
    CONTROL(Controls::TLabel, lblDsReserva)                                                        \
    CONTROL(TBlendedBitBtn, sbtCalendario)                                                         \
    CONTROL(TBlendedButton, sbt1)                                                                  \
    CONTROL(TBlendedButton, sbt2)                                                                  \
    CONTROL(TBlendedButton, sbt3)                                                                  \
    CONTROL(TBlendedButton, sbt4)                                                                  \
    CONTROL(TBlendedButton, sbt5)                                                                  \
    CONTROL(TBlendedButton, sbt6)                                                                  \
    CONTROL(TBlendedButton, sbt7)                                                                  \
    CONTROL(TBlendedButton, sbt8)                                                                  \
    CONTROL(TBlendedButton, sbt9)                                                                  \
    CONTROL(TBlendedButton, sbt0)                                                                  \
    CONTROL(TBlendedButton, sbtQ)                                                                  \
    CONTROL(TBlendedButton, sbtW)                                                                  \
    CONTROL(TBlendedButton, sbtE)                                                                  \
    CONTROL(TBlendedButton, sbtR)                                                                  \
    CONTROL(TBlendedButton, sbtT)                                                                  \
    CONTROL(TBlendedButton, sbtY)                                                                  \
    CONTROL(TBlendedButton, sbtU)                                                                  \
    CONTROL(TBlendedButton, sbtI)                                                                  \
    CONTROL(TBlendedButton, sbtO)                                                                  \
    CONTROL(TBlendedButton, sbtP)                                                                  \
    CONTROL(TBlendedButton, sbtA)                                                                  \
    CONTROL(TBlendedButton, sbtS)                                                                  \
    CONTROL(TBlendedButton, sbtD)                                                                  \
    CONTROL(TBlendedButton, sbtF)                                                                  \
    CONTROL(TBlendedButton, sbtG)                                                                  \
    CONTROL(TBlendedButton, sbtH)                                                                  \
    CONTROL(TBlendedButton, sbtJ)                                                                  \
    CONTROL(TBlendedButton, sbtK)                                                                  \
    CONTROL(TBlendedButton, sbtL)                                                                  \
    CONTROL(TBlendedButton, sbtCCdil)                                                              \
    CONTROL(TBlendedButton, sbtZ)                                                                  \
    CONTROL(TBlendedButton, sbtX)                                                                  \
    CONTROL(TBlendedButton, sbtC)                                                                  \
    CONTROL(TBlendedButton, sbtV)                                                                  \
    CONTROL(TBlendedButton, sbtB)                                                                  \
    CONTROL(TBlendedButton, sbtN)                                                                  \
    CONTROL(TBlendedButton, sbtM)                                                                  \
    CONTROL(TBlendedButton, sbtVirgula)                                                            \
    CONTROL(TBlendedButton, sbtPonto)                                                              \
    CONTROL(TBlendedButton, sbtBarra)                                                              \
    CONTROL(TBlendedButton, sbtBackSpace)                                                          \
    CONTROL(TBlendedButton, sbtEnter)                                                              \
    CONTROL(TBlendedBitBtn, sbtSair)                                                               \
    CONTROL(TBlendedButton, sbtShift)                                                              \
    CONTROL(TBlendedButton, sbtEspaco)                                                             \
    CONTROL(TBlendedButton, sbtCapsLock)                                                           \
    CONTROL(TBlendedBitBtn, sbtLimpar)

struct TfrmInclusaoReservaControls {
#define DECLARE_CONTROL(Class, name) Class* name = nullptr;
    TFRMINCLUSAORESERVA_CONTROLS(DECLARE_CONTROL)
#undef DECLARE_CONTROL
};
