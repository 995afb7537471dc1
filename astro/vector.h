// astro/vector.h - three-vectors, 3x3 matrices and the rotation builder behind every frame.
// Pure functions without state. Matrices are row-major and act on column vectors: v' = M v.
// To go from frame A to C through B the matrix is M(B->C) * M(A->B).
#pragma once

#include <initializer_list>

namespace qv {

struct Vector3 {
  double x = 0, y = 0, z = 0;
};

struct Matrix3 {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // m[row][column]; identity when made
};

enum RotationAxis { AxisX = 0, AxisY = 1, AxisZ = 2 };

struct Rotation {
  int axis;      // RotationAxis
  double angle;  // radians
};

double Length(const Vector3& v);
void Add(const Vector3& a, const Vector3& b, Vector3& out);       // out may be a or b
void Subtract(const Vector3& a, const Vector3& b, Vector3& out);  // out = a - b; may alias
double Dot(const Vector3& a, const Vector3& b);
void Cross(const Vector3& a, const Vector3& b, Vector3& out);  // out may alias a or b

void Transform(const Matrix3& m, Vector3& v);            // v <- M v
void TransformTransposed(const Matrix3& m, Vector3& v);  // v <- M^T v: back to the source frame
void Multiply(const Matrix3& a, Matrix3& b);             // b <- A b

void CopyVector(Vector3& dst, const Vector3& src);
void CopyMatrix(Matrix3& dst, const Matrix3& src);
void Identity(Matrix3& m);

// ElementaryRotation: the one matrix of one axis and angle, with c = cos a, s = sin a:
//   x: (1 0 0) (0 c -s) (0 s c);  y: (c 0 -s) (0 1 0) (s 0 c);  z: (c -s 0) (s c 0) (0 0 1).
// The y form has its sines opposite to x and z; every frame of the program is built on these.
Matrix3 ElementaryRotation(int axis, double angle);

// BuildRotation: m <- R_n ... R_2 R_1, so the first rotation listed acts on a vector first.
// An empty list leaves the identity.
void BuildRotation(Matrix3& m, std::initializer_list<Rotation> rotations);

}  // namespace qv
