// A temporary "files" directory that the globals point at, with helpers to
// write the data files the utility reads.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class FilesFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString Path(const QString &name) const;
  void Write(const QString &name, const QByteArray &bytes) const;
  QByteArray Read(const QString &name) const;

  QTemporaryDir dir_;
};

// The shipped data files (utility/files in the source tree).
QString ShippedFilesDir();
