#pragma once

#include "notes/Note.h"
