// A form with a Currency box: the user types an amount, and the program reads the typed value.
#include <iostream>

#include <vltext/vltext.h>

int main() {
  vl::Form form;
  vl::Box price = form.AddBox("price");
  form.AddButton("ok");
  price.SetDataType(vl::DataType::Currency);
  price.SetFormat("#,##0.00\"円\"");
  price.On("ValueError", [](vl::Event& e) {
    std::cout << "refused: " << e["ErrString"].AsString() << "\n";
    e["CancelDisplay"] = vl::TypedValue::Boolean(true);
  });

  form.Focus("price");
  form.Type("1234.5");  // the user types an amount...
  form.Key("Tab");      // ...and moves on

  const vl::TypedValue value = price.Value();
  std::cout << "value: " << value.ToText() << " (" << value.TypeName() << ")\n";
  std::cout << "shown: " << price.ShownText() << "\n";
  try {
    price.SetMaxLength(-1);
  } catch (const vl::Error& e) {
    std::cout << "error " << e.Code() << ": " << e.what() << "\n";
  }
  return value == vl::TypedValue::Currency("1234.5") ? 0 : 1;
}
