// The game's legacy OpenGL subset in the browser, over emscripten's LEGACY_GL_EMULATION.
//
// Covered, for the calls the game makes:
// - display lists (glGenLists, glNewList with GL_COMPILE, glEndList, glCallList, glDeleteLists):
//   a list records the geometry drawn into it and the matrix calls around it; the geometry is
//   stored already moved by those matrix calls (normals by the inverse transpose, then made
//   unit length), together with any net change of the matrix, so that glCallList is one draw;
//   glCallList inside a list copies the called list's geometry in;
// - glBegin/glEnd with GL_TRIANGLES, GL_TRIANGLE_FAN, GL_QUADS (split as Mesa splits them,
//   along the second-to-fourth diagonal) and GL_POLYGON (a fan), every
//   vertex carrying the current normal, colour and texture coordinate, drawn as triangles from
//   client arrays (the emulation's glBegin loses attributes that are not given every vertex);
// - gluPerspective and gluLookAt multiplying the current matrix, as GLU's do;
// - glLightModeli(GL_LIGHT_MODEL_TWO_SIDE): lit geometry drawn with back faces culled, then
//   again with front faces culled and its normals reversed;
// - glTexImage2D's old internal formats 1, 2, 3 and 4, given as GL_LUMINANCE,
//   GL_LUMINANCE_ALPHA, GL_RGB and GL_RGBA, which WebGL takes;
// - glEnable(GL_NORMALIZE), glHint(GL_FOG_HINT) and glShadeModel(GL_SMOOTH) do nothing: the
//   emulation makes every normal unit length, WebGL has no fog hint, and the emulation's
//   shading is always smooth;
// - a lamp with w = 1 lights each vertex from where the lamp stands (web/gl/lighting.js), not
//   from the direction of its position as the emulation would.
// Not covered: any other call inside a list (it runs at once, as in GL_COMPILE_AND_EXECUTE);
// a list that leaves the matrix stack deeper or shallower than it found it; GL_COMPILE_AND_EXECUTE;
// points, lines, strips and quad strips; a list whose geometry gives colours for some vertices
// and not others (all take the current colour at the call); glGet of anything the layer keeps.
#pragma once

#include <GL/gl.h>

GLuint web_glGenLists(GLsizei range);
void web_glDeleteLists(GLuint list, GLsizei range);
void web_glNewList(GLuint list, GLenum mode);
void web_glEndList();
void web_glCallList(GLuint list);
void web_glBegin(GLenum mode);
void web_glEnd();
void web_glVertex2f(GLfloat x, GLfloat y);
void web_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void web_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void web_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void web_glTexCoord2f(GLfloat s, GLfloat t);
void web_glPushMatrix();
void web_glPopMatrix();
void web_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void web_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z);
void web_glRotated(GLdouble degrees, GLdouble x, GLdouble y, GLdouble z);
void web_glScalef(GLfloat x, GLfloat y, GLfloat z);
void web_glMultMatrixf(const GLfloat *m);
void web_glEnable(GLenum cap);
void web_glDisable(GLenum cap);
void web_glLightModeli(GLenum name, GLint value);
void web_glTexImage2D(GLenum target, GLint level, GLint internal_format, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type, const void *pixels);
void web_glHint(GLenum target, GLenum mode);
void web_glShadeModel(GLenum mode);
void web_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble z_near, GLdouble z_far);
void web_gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble centre_x,
                   GLdouble centre_y, GLdouble centre_z, GLdouble up_x, GLdouble up_y,
                   GLdouble up_z);
