// The browser's <GL/gl.h>: emscripten's own, with the calls its legacy OpenGL emulation lacks
// or gets wrong sent to our layer (GL/velmoor_layer.h says what it covers). Only the web build
// has this folder ahead of the system's headers, so the game's sources stay as they are.
#pragma once

#include_next <GL/gl.h>

#include "GL/velmoor_layer.h"

#define glGenLists web_glGenLists
#define glDeleteLists web_glDeleteLists
#define glNewList web_glNewList
#define glEndList web_glEndList
#define glCallList web_glCallList
#define glBegin web_glBegin
#define glEnd web_glEnd
#define glVertex2f web_glVertex2f
#define glVertex3f web_glVertex3f
#define glNormal3f web_glNormal3f
#define glColor4f web_glColor4f
#define glTexCoord2f web_glTexCoord2f
#define glPushMatrix web_glPushMatrix
#define glPopMatrix web_glPopMatrix
#define glTranslatef web_glTranslatef
#define glRotatef web_glRotatef
#define glRotated web_glRotated
#define glScalef web_glScalef
#define glMultMatrixf web_glMultMatrixf
#define glEnable web_glEnable
#define glDisable web_glDisable
#define glLightModeli web_glLightModeli
#define glTexImage2D web_glTexImage2D
#define glHint web_glHint
#define glShadeModel web_glShadeModel
