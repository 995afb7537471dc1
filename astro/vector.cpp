// astro/vector.cpp - vector and matrix operations and the rotation builder.
#include "astro/vector.h"

#include <cmath>

namespace qv {

double Length(const Vector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

void Add(const Vector3& a, const Vector3& b, Vector3& out) {
  out = Vector3{a.x + b.x, a.y + b.y, a.z + b.z};
}

void Subtract(const Vector3& a, const Vector3& b, Vector3& out) {
  out = Vector3{a.x - b.x, a.y - b.y, a.z - b.z};
}

double Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

void Cross(const Vector3& a, const Vector3& b, Vector3& out) {
  out = Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void Transform(const Matrix3& m, Vector3& v) {
  const Vector3 in = v;
  v.x = m.m[0][0] * in.x + m.m[0][1] * in.y + m.m[0][2] * in.z;
  v.y = m.m[1][0] * in.x + m.m[1][1] * in.y + m.m[1][2] * in.z;
  v.z = m.m[2][0] * in.x + m.m[2][1] * in.y + m.m[2][2] * in.z;
}

void TransformTransposed(const Matrix3& m, Vector3& v) {
  const Vector3 in = v;
  v.x = m.m[0][0] * in.x + m.m[1][0] * in.y + m.m[2][0] * in.z;
  v.y = m.m[0][1] * in.x + m.m[1][1] * in.y + m.m[2][1] * in.z;
  v.z = m.m[0][2] * in.x + m.m[1][2] * in.y + m.m[2][2] * in.z;
}

void Multiply(const Matrix3& a, Matrix3& b) {
  Matrix3 product;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      product.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
  b = product;
}

void CopyVector(Vector3& dst, const Vector3& src) { dst = src; }
void CopyMatrix(Matrix3& dst, const Matrix3& src) { dst = src; }
void Identity(Matrix3& m) { m = Matrix3{}; }

Matrix3 ElementaryRotation(int axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  Matrix3 r;
  switch (axis) {
    case AxisX:
      r.m[1][1] = c;
      r.m[1][2] = -s;
      r.m[2][1] = s;
      r.m[2][2] = c;
      break;
    case AxisY:
      r.m[0][0] = c;
      r.m[0][2] = -s;
      r.m[2][0] = s;
      r.m[2][2] = c;
      break;
    default:
      r.m[0][0] = c;
      r.m[0][1] = -s;
      r.m[1][0] = s;
      r.m[1][1] = c;
      break;
  }
  return r;
}

void BuildRotation(Matrix3& m, std::initializer_list<Rotation> rotations) {
  Identity(m);
  for (const Rotation& r : rotations) Multiply(ElementaryRotation(r.axis, r.angle), m);
}

}  // namespace qv
